// Real windows for the agent's unit tests: applications of any class, windows
// under them, and what they were sent.
#ifndef QUELLOR_TESTS_AGENT_TEST_WINDOWS_H
#define QUELLOR_TESTS_AGENT_TEST_WINDOWS_H

#include <windows.h>

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

bool WindowHasStyle(HWND window, DWORD style);

}  // namespace agent_test

#endif
