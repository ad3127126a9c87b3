#include "shortcut_folder.h"

#include "ce_path.h"
#include "phone_constants.h"

#include <cwchar>

namespace phone {

namespace {

// The file name without the suffix into name; false when it has no other
// name or the suffix is not its end.
bool ShortcutName(const wchar_t *file, wchar_t *name) {
    size_t length = wcslen(file);
    size_t suffix = wcslen(kShortcutSuffix);
    if (length <= suffix || _wcsicmp(file + length - suffix, kShortcutSuffix) != 0) return false;
    wmemcpy(name, file, length - suffix);
    name[length - suffix] = 0;
    return true;
}

// Puts item into its place in items (count of them, sorted by name, room for
// max); the last one falls off a full list. Returns the new count.
int Insert(const NamedShortcut &item, NamedShortcut *items, int count, int max) {
    int at = count;
    while (at > 0 && lstrcmpiW(item.name, items[at - 1].name) < 0) --at;
    if (at >= max) return count;
    int last = count < max ? count : max - 1;
    for (int i = last; i > at; --i) items[i] = items[i - 1];
    items[at] = item;
    return last + 1;
}

}  // namespace

int ReadShortcutFolder(const wchar_t *folder, NamedShortcut *items, int max) {
    wchar_t path[MAX_PATH];
    if (!DesktopPath(folder, path, MAX_PATH)) return 0;
    size_t base = wcslen(path);
    if (base + 2 + wcslen(L"*") + wcslen(kShortcutSuffix) >= MAX_PATH) return 0;
    wcscat(path, L"\\*");
    wcscat(path, kShortcutSuffix);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    static NamedShortcut item;  // large: not on the stack
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (!ShortcutName(found.cFileName, item.name)) continue;
        path[base] = 0;
        if (base + 1 + wcslen(found.cFileName) >= MAX_PATH) continue;
        wcscat(path, L"\\");
        wcscat(path, found.cFileName);
        if (ReadShortcut(path, &item.shortcut)) count = Insert(item, items, count, max);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

}  // namespace phone
