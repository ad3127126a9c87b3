// The shortcuts of one of the phone's folders (its start-up folder, its
// Start menu), named by their file names without ".lnk", in name order.
#ifndef QUELLOR_PHONE_SHORTCUT_FOLDER_H
#define QUELLOR_PHONE_SHORTCUT_FOLDER_H

#include "shortcut_file.h"

namespace phone {

// More than a phone's menu shows; those after them in name order are left out.
constexpr int kMaxFolderShortcuts = 32;

struct NamedShortcut {
    wchar_t name[MAX_PATH];
    Shortcut shortcut;
};

// Fills items (room for max) with the shortcuts of the CE folder and returns
// how many; a file that is no shortcut is left out, and so is a missing folder.
int ReadShortcutFolder(const wchar_t *folder, NamedShortcut *items, int max);

}  // namespace phone

#endif
