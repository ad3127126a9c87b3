#include "ce_path.h"

#include "phone_constants.h"

#include <cwchar>

namespace phone {

bool DesktopPath(const wchar_t *path, wchar_t *out, size_t room) {
    const bool ce = path[0] == L'\\' && path[1] != L'\\';
    const bool drive = path[0] && path[1] == L':' && path[2] == L'\\';
    if (!ce && !drive) return false;
    const size_t prefix = ce ? wcslen(kPhoneRoot) : 0;
    if (prefix + wcslen(path) >= room) return false;
    wcscpy(out, ce ? kPhoneRoot : L"");
    wcscat(out, path);
    return true;
}

const wchar_t *StandardFolder(int n) {
    // A Windows Mobile phone's set: the others a Handheld PC names it has not.
    static const struct {
        int n;
        const wchar_t *path;
    } kFolders[] = {
        {1, L"\\Program Files"},
        {2, L"\\Windows"},
        {4, kStartUpFolder},
        {5, L"\\My Documents"},
        {8, L"\\Program Files\\Games"},
        {11, kProgramsFolder},
        {14, L"\\Windows\\Start Menu\\Programs\\Games"},
        {15, L"\\Windows\\Fonts"},
        {17, L"\\Windows\\Start Menu"},
    };
    for (const auto &folder : kFolders)
        if (folder.n == n) return folder.path;
    return nullptr;
}

}  // namespace phone
