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

    // CreateProcessW may write into the command line, so it gets its own copy.
    wchar_t commandLine[MAX_PATH + 2];
    wsprintfW(commandLine, L"\"%s\"", path);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace phone
