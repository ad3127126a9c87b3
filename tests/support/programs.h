// The phone's programs as the scenarios start and end them: a child process
// that ends with the test, every program of the phone ended between
// scenarios, and the texts a program carries in its own resources.
#ifndef QUELLOR_TESTS_SUPPORT_PROGRAMS_H
#define QUELLOR_TESTS_SUPPORT_PROGRAMS_H

#include "setup_constants.h"

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// The lock's two programs, as the package installs them and the scenarios
// start them from the build tree.
constexpr const wchar_t *kAgentExe = kAgentProgram;
constexpr wchar_t kSettingsExe[] = L"Quelset.exe";

// Full path of a program built next to the running test executable.
std::wstring ProgramPath(const wchar_t *exeName);

// A child process; killed on destruction if it still runs.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    bool Start(const wchar_t *exeName, const wchar_t *args = nullptr);
    // Like Start, for a program anywhere (full path).
    bool StartAt(const std::wstring &path, const wchar_t *args = nullptr);
    // True when the process ended within timeoutMs; its exit code in *code.
    bool WaitExit(DWORD timeoutMs, DWORD *code = nullptr);
    bool Running() const;
    // For a failure message: "runs", or "ended with <exit code>".
    std::string Fate();
    // True once the program is done starting (it waits for input): its window
    // is in front a moment before its last start-up steps, and what a test
    // does to the front meanwhile they would undo.
    bool WaitStarted(DWORD timeoutMs);
    void Kill();
    DWORD Id() const { return id_; }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Starts a program built next to the running one and lets it run on after
// this process ends.
bool Launch(const wchar_t *exeName);

// Every program of the phone: the home screen, its four applications, its
// installer, the lock agent and the settings program.
const std::vector<std::wstring> &PhonePrograms();
// True when a process started from a program of this name runs.
bool ProgramRuns(const wchar_t *exeName);
// Kills every process started from one of these program names.
void KillPrograms(const std::vector<std::wstring> &exeNames);
// True when process pid has ended within timeoutMs (or was gone already).
bool WaitProcessEnds(DWORD pid, DWORD timeoutMs);
// The process that owns window.
DWORD ProcessOf(HWND window);

// A string from a program's string table.
std::wstring ProgramString(const wchar_t *exeName, UINT id);

}  // namespace harness

#endif
