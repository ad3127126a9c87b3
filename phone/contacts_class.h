// Which window class the phone's Contacts registers: it differs between
// Windows CE versions, and whoever looks for Contacts must ask the same way.
#ifndef QUELLOR_PHONE_CONTACTS_CLASS_H
#define QUELLOR_PHONE_CONTACTS_CLASS_H

#include <windows.h>

namespace phone {

// -1 when the platform is not Windows CE, 1 on Windows CE 5, 0 on other CE versions.
int ContactsPlatformCheck(const OSVERSIONINFOW &version);
// "MSContactsUI" when the check answers non-zero, else "Contacts".
const wchar_t *ContactsClassFor(int platformCheck);
// The class for the system this runs on (GetVersionExW).
const wchar_t *ContactsWindowClass();

}  // namespace phone

#endif
