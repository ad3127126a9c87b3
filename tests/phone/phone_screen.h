// What the phone's screen shows, as the scenario tests of the phone stand-ins
// check it from outside.
#ifndef QUELLOR_TESTS_PHONE_PHONE_SCREEN_H
#define QUELLOR_TESTS_PHONE_PHONE_SCREEN_H

#include <windows.h>

#include <string>
#include <vector>

namespace phonetest {

// Every program of the phone, for cleaning up before and after a scenario.
const std::vector<std::wstring> &PhonePrograms();

// Waits until the foreground window belongs to the class.
bool WaitForegroundClass(const wchar_t *cls, DWORD timeoutMs = 5000);

int CountTopLevel(const wchar_t *cls);

// The window covers the screen's width from the top down to its soft-key bar,
// which is visible, runs along the bottom of the screen and sits right above
// the window in the window order.
void ExpectFullScreenAboveBar(HWND hwnd);

// Presses Home, then Down `row` times, then Enter: opens that row of a list.
void OpenRow(int row);

}  // namespace phonetest

#endif
