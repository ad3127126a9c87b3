// Helpers for tests that drive the real programs in the emulated phone the
// way a user would: start them, wait for what appears on the screen, press
// keys, and keep a screenshot when something goes wrong.
#ifndef QUELLOR_TESTS_SUPPORT_SCENARIO_H
#define QUELLOR_TESTS_SUPPORT_SCENARIO_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace scenario {

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
    void Kill();
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Polls cond every stepMs until it holds or timeoutMs has passed.
template <class Cond>
bool WaitUntil(Cond cond, DWORD timeoutMs, DWORD stepMs = 20) {
    DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) return cond();
        Sleep(stepMs);
    }
}

// First top-level window with this class (and title, when given), or 0.
HWND FindTopLevel(const wchar_t *cls, const wchar_t *title = nullptr);
HWND WaitForWindow(const wchar_t *cls, const wchar_t *title, DWORD timeoutMs);
// Top-level visible window owned by process pid with the given class (any class when null).
HWND FindWindowOfProcess(DWORD pid, const wchar_t *cls = nullptr);

std::wstring WindowText(HWND hwnd);
// The window with the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);
// Until window is the foreground window and its own thread has taken the
// activation. The system names a new foreground window at once, but when
// another process brought it forward its thread takes the activation a
// moment later, and a key pressed before that reaches no window.
bool WaitForForeground(HWND window, DWORD timeoutMs = 5000);
std::wstring ClassName(HWND hwnd);
bool IsTopMost(HWND hwnd);

// Keys as the phone's keypad sends them: delivered to the foreground window.
void PressKey(BYTE vk);
void TypeDigits(const wchar_t *digits);

// The lock's registry key, removed so a test starts from the defaults.
void DeleteSettingsKey();

// What the phone's screen shows: its pixels as 0x00RRGGBB, row by row from the
// top, read from the display (what X draws, not what the window order says).
std::vector<DWORD> ScreenPixels();
// Writes a BMP of the phone's screen into the screenshot folder; returns its path.
std::wstring SaveScreen(const std::string &name);

// Kills every process of the phone started from one of these program names.
void KillProgramsNamed(const std::vector<std::wstring> &exeNames);

// The top-level dialogs (#32770) of process pid, hidden ones too.
std::vector<HWND> DialogsOfProcess(DWORD pid);
// How many of them carry this title.
int CountDialogsTitled(DWORD pid, const wchar_t *title);

// What another process may post to a program's dialogs: private messages,
// commands (random and the program's own), hot keys, keys, the system's two
// message numbers with random parameters, sizes. Seeded, so a failure can be
// played again.
struct ForeignMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
class MessageFuzzer {
public:
    MessageFuzzer(uint32_t seed, std::vector<WORD> commands);
    ForeignMessage Next();
    size_t Pick(size_t count) { return random_() % count; }

private:
    uint32_t Word() { return static_cast<uint32_t>(random_()); }
    std::mt19937 random_;
    std::vector<WORD> commands_;
};

struct FuzzFigures {
    int posted = 0;
    DWORD ms = 0;
};
// Posts count messages from fuzzer, one at a time, each to one of the dialogs
// of process pid chosen at random, leaving out those allowed refuses; sample
// runs after every message. Stops early when the process has no dialog left.
FuzzFigures PostForeignMessages(DWORD pid, MessageFuzzer &fuzzer, int count,
                                const std::function<bool(HWND, const ForeignMessage &)> &allowed,
                                const std::function<void()> &sample);

// Base fixture: keeps a screenshot of the phone when a test fails.
class ScenarioTest : public ::testing::Test {
protected:
    void TearDown() override;
};

}  // namespace scenario

#endif
