#include "contacts_class.h"

#include "phone_constants.h"

namespace phone {

namespace {
constexpr DWORD kPlatformWindowsCe = 3;  // VER_PLATFORM_WIN32_CE
}

int ContactsPlatformCheck(const OSVERSIONINFOW &version) {
    if (version.dwPlatformId != kPlatformWindowsCe) return -1;
    return version.dwMajorVersion == 5 ? 1 : 0;
}

const wchar_t *ContactsClassFor(int platformCheck) {
    return platformCheck != 0 ? kContactsClassCe5 : kContactsClass;
}

const wchar_t *ContactsWindowClass() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 276
    // On failure the zeroed record reads as "not Windows CE", like the desktop.
    GetVersionExW(&version);
    return ContactsClassFor(ContactsPlatformCheck(version));
}

}  // namespace phone
