// Real windows for the agent's unit tests: applications of any class, windows
// under them, and what they were sent; plus the registry key the agent reads.
#ifndef QUELLOR_TESTS_AGENT_TEST_WINDOWS_H
#define QUELLOR_TESTS_AGENT_TEST_WINDOWS_H

#include <windows.h>

#include <cstdint>
#include <functional>

namespace agent_test {

// What a test window was sent or posted.
struct Received {
    int closes = 0;    // WM_CLOSE (the window stays)
    int controls = 0;  // MSG_CONTROL
    WPARAM controlCommand = 0;
    LPARAM controlParam = 0;
};

// A top-level window of class cls (registered on first use), owned by owner.
HWND MakeTopLevel(const wchar_t *cls, HWND owner = nullptr, bool visible = true);
// A child window of parent.
HWND MakeChild(HWND parent);
// Everything made since the last call is destroyed.
void DestroyTestWindows();
Received &ReceivedBy(HWND window);

// Runs this thread's messages for ms milliseconds, or until done holds.
bool PumpUntil(const std::function<bool()> &done, DWORD ms);
void Pump(DWORD ms);

bool WindowHasStyle(HWND window, DWORD style);

// The agent's registry key with these values; removed again by DeleteSettings.
void WriteSettings(uint32_t lockFlags, const wchar_t *password);
void DeleteSettings();

}  // namespace agent_test

#endif
