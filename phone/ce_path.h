// Paths of the emulated phone. A CE path ("\Windows\StartUp") names a place
// in the phone's one file system, whose root is the C: drive of the Wine
// prefix; the standard folders %CE1%..%CE17% are the phone's own.
#ifndef QUELLOR_PHONE_CE_PATH_H
#define QUELLOR_PHONE_CE_PATH_H

#include <cstddef>

namespace phone {

// The drive the phone's root is on.
constexpr wchar_t kPhoneRoot[] = L"C:";

// Writes the desktop path of path into out (room characters with the
// terminator): a CE path gets the phone's drive in front; a path that already
// names a drive ("Z:\...", a program of the build tree) stays as it is.
// False for anything else (a relative or network path) or when it does not fit.
bool DesktopPath(const wchar_t *path, wchar_t *out, size_t room);

// The CE path of %CEn%, or null for an n this phone has no folder for.
const wchar_t *StandardFolder(int n);

}  // namespace phone

#endif
