#include "program_launch.h"

#include <windows.h>

#include <cwchar>

namespace phone {

bool StartSibling(const wchar_t *exeName) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    wchar_t *name = path + n;
    while (name > path && name[-1] != L'\\' && name[-1] != L'/') --name;
    size_t room = MAX_PATH - static_cast<size_t>(name - path);
    if (wcslen(exeName) >= room) return false;
    wcscpy(name, exeName);
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;

    // Wine now and then loses a new process in its own start-up, before any
    // of the program has run, and CreateProcess fails with
    // ERROR_INTERNAL_ERROR; a phone starts what it is asked to, so that start
    // is made once more.
    PROCESS_INFORMATION pi = {};
    for (int attempt = 0;; ++attempt) {
        // CreateProcessW may write into the command line: a fresh copy each time.
        wchar_t commandLine[MAX_PATH + 2];
        wsprintfW(commandLine, L"\"%s\"", path);
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        if (CreateProcessW(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                           &pi))
            break;
        if (attempt > 0 || GetLastError() != ERROR_INTERNAL_ERROR) return false;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace phone
