#include "programs.h"

#include "phone_constants.h"
#include "program_launch.h"

#include <tlhelp32.h>

namespace harness {

std::wstring ProgramPath(const wchar_t *exeName) {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + exeName;
}

Process::~Process() {
    if (Running()) Kill();
    if (handle_) CloseHandle(handle_);
}

bool Process::Start(const wchar_t *exeName, const wchar_t *args) {
    return StartAt(ProgramPath(exeName), args);
}

namespace {
// The process's handle in *process (closed when process is null).
bool StartChild(const std::wstring &path, const wchar_t *args, HANDLE *process, DWORD *id) {
    PROCESS_INFORMATION pi = {};
    if (!phone::StartProcess(path.c_str(), args, &pi)) return false;
    CloseHandle(pi.hThread);
    if (process) {
        *process = pi.hProcess;
        *id = pi.dwProcessId;
    } else {
        CloseHandle(pi.hProcess);
    }
    return true;
}
}  // namespace

bool Process::StartAt(const std::wstring &path, const wchar_t *args) {
    HANDLE process = nullptr;
    DWORD id = 0;
    if (!StartChild(path, args, &process, &id)) return false;
    if (handle_) CloseHandle(handle_);
    handle_ = process;
    id_ = id;
    return true;
}

bool Launch(const wchar_t *exeName) {
    return StartChild(ProgramPath(exeName), nullptr, nullptr, nullptr);
}

bool Process::WaitExit(DWORD timeoutMs, DWORD *code) {
    if (!handle_) return false;
    if (WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (code) GetExitCodeProcess(handle_, code);
    return true;
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::string Process::Fate() {
    DWORD code = 0;
    return WaitExit(0, &code) ? "ended with " + std::to_string(code) : std::string("runs");
}

bool Process::WaitStarted(DWORD timeoutMs) {
    return handle_ && WaitForInputIdle(handle_, timeoutMs) == 0;
}

void Process::Kill() {
    if (!handle_) return;
    TerminateProcess(handle_, 99);
    WaitForSingleObject(handle_, 5000);
}

const std::vector<std::wstring> &PhonePrograms() {
    static const std::vector<std::wstring> programs = {
        phone::kHomeExe,     phone::kContactsExe,  phone::kCalendarExe, phone::kCallLogExe,
        phone::kMessagesExe, phone::kInstallerExe, kAgentExe,           kSettingsExe};
    return programs;
}

namespace {
// The processes started from one of these program names.
std::vector<DWORD> ProcessesOf(const std::vector<std::wstring> &exeNames) {
    std::vector<DWORD> found;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32W pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
        for (const auto &name : exeNames)
            if (_wcsicmp(pe.szExeFile, name.c_str()) == 0) found.push_back(pe.th32ProcessID);
    CloseHandle(snap);
    return found;
}
}  // namespace

bool ProgramRuns(const wchar_t *exeName) {
    return !ProcessesOf({exeName}).empty();
}

void KillPrograms(const std::vector<std::wstring> &exeNames) {
    for (DWORD pid : ProcessesOf(exeNames)) {
        HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!p) continue;
        TerminateProcess(p, 99);
        WaitForSingleObject(p, 5000);
        CloseHandle(p);
    }
}

bool WaitProcessEnds(DWORD pid, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;  // already gone
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring ProgramString(const wchar_t *exeName, UINT id) {
    HMODULE module =
        LoadLibraryExW(ProgramPath(exeName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t text[256] = {};
    if (module) {
        LoadStringW(module, id, text, 256);
        FreeLibrary(module);
    }
    return text;
}

}  // namespace harness
