#include "program_launch.h"

#include "ce_path.h"

#include <cstdio>
#include <cwchar>

namespace phone {

namespace {
// ERROR_SUCCESS when the process was created, else CreateProcess's error.
DWORD CreateOnce(const wchar_t *path, const wchar_t *args, PROCESS_INFORMATION *started,
                 HANDLE output) {
    // CreateProcessW may write into the command line: a fresh copy each time.
    // (No std::wstring: the phone's programs are built without the C++
    // library's string machinery.)
    size_t length = wcslen(path) + 3 + (args && *args ? wcslen(args) + 1 : 0);
    wchar_t *commandLine = new wchar_t[length];
    wcscpy(commandLine, L"\"");
    wcscat(commandLine, path);
    wcscat(commandLine, L"\"");
    if (args && *args) {
        wcscat(commandLine, L" ");
        wcscat(commandLine, args);
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = si.hStdError = output;
    }
    DWORD error = ERROR_SUCCESS;
    if (!CreateProcessW(path, commandLine, nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                        &si, started))
        error = GetLastError();
    delete[] commandLine;
    return error;
}
}  // namespace

bool StartProcess(const wchar_t *path, const wchar_t *args, PROCESS_INFORMATION *started,
                  HANDLE output) {
    DWORD error = CreateOnce(path, args, started, output);
    if (error == ERROR_SUCCESS) return true;
    // Wine now and then loses a new process in its own start-up, before any
    // of the program has run (a few starts in the thousands of a stress run;
    // the cause inside Wine is not known), and CreateProcess fails with
    // ERROR_INTERNAL_ERROR. A phone starts what it is asked to, so that start
    // is made once more, and said, for whoever reads the logs of a run.
    if (error != ERROR_INTERNAL_ERROR) return false;
    fwprintf(stderr, L"Wine lost %ls in its start-up; starting it again\n", path);
    return CreateOnce(path, args, started, output) == ERROR_SUCCESS;
}

namespace {
bool StartDetached(const wchar_t *path, const wchar_t *args) {
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
    PROCESS_INFORMATION pi = {};
    if (!StartProcess(path, args, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}
}  // namespace

bool StartSibling(const wchar_t *exeName) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    wchar_t *name = path + n;
    while (name > path && name[-1] != L'\\' && name[-1] != L'/') --name;
    size_t room = MAX_PATH - static_cast<size_t>(name - path);
    if (wcslen(exeName) >= room) return false;
    wcscpy(name, exeName);
    return StartDetached(path, nullptr);
}

bool StartShortcut(const Shortcut &shortcut) {
    wchar_t path[MAX_PATH];
    return DesktopPath(shortcut.program, path, MAX_PATH) && StartDetached(path, shortcut.args);
}

}  // namespace phone
