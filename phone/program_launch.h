// Starting programs on the emulated phone: the phone's own programs, which
// all live in one folder, the programs its shortcuts name, and any program the
// tests start.
#ifndef QUELLOR_PHONE_PROGRAM_LAUNCH_H
#define QUELLOR_PHONE_PROGRAM_LAUNCH_H

#include "shortcut_file.h"

#include <windows.h>

namespace phone {

// Starts the program at path, with args after its quoted path on the command
// line (args may be null), without waiting for it. On success *started holds
// the new process's handles, which the caller closes. With output, an
// inheritable handle, the program's standard output and error go there.
bool StartProcess(const wchar_t *path, const wchar_t *args, PROCESS_INFORMATION *started,
                  HANDLE output = nullptr);

// Starts exeName from this program's folder without waiting for it. A program
// that is not installed is skipped silently: the result is false and nothing
// is shown to the user.
bool StartSibling(const wchar_t *exeName);

// Starts the shortcut's program with its arguments without waiting for it;
// false, silently, like StartSibling, when the program is not there.
bool StartShortcut(const Shortcut &shortcut);

}  // namespace phone

#endif
