// A CE shortcut file (.lnk): 8-bit text in the phone's code page, the number
// of characters after the '#', the '#' and a command line whose program path
// is in double quotes when it has spaces:
//   40#"\Program Files\Quellor\Quelwatch.exe"
// Anyone may drop a file into the phone's folders, so a file that is not one
// exactly is no shortcut at all.
#ifndef QUELLOR_PHONE_SHORTCUT_FILE_H
#define QUELLOR_PHONE_SHORTCUT_FILE_H

#include <windows.h>

#include <cstddef>

namespace phone {

// The code page of a Russian phone's 8-bit text.
constexpr UINT kPhoneCodePage = 1251;
// A longer file is no shortcut: a command line of the phone is far shorter.
constexpr size_t kMaxShortcutBytes = 1024;

struct Shortcut {
    wchar_t program[MAX_PATH];        // as the file gives it, a CE path
    wchar_t args[kMaxShortcutBytes];  // the rest of the command line; may be empty
};

// False for text that is no shortcut: no count and '#', a count that is not
// the number of characters after it (a line end after them aside), control
// characters, unbalanced quotes or no program.
bool ParseShortcut(const char *text, size_t size, Shortcut *shortcut);
// The same for the file at desktop path file; false also when it cannot be read.
bool ReadShortcut(const wchar_t *file, Shortcut *shortcut);
// Writes the shortcut file at desktop path file that starts program (a CE
// path) without arguments; false when it cannot.
bool WriteShortcut(const wchar_t *file, const wchar_t *program);

}  // namespace phone

#endif
