// The phone's keys as its keypad sends them: pressed and released through the
// system's input, so they reach whatever window is in front. The soft keys
// and Back are the SDK's VK_TSOFT1, VK_TSOFT2 and VK_TBACK (winuserm.h).
#ifndef QUELLOR_TESTS_SUPPORT_KEYS_H
#define QUELLOR_TESTS_SUPPORT_KEYS_H

#include "winuserm.h"

#include <windows.h>

namespace harness {

void PressKey(BYTE vk);
// The digits of text, one key each; anything else in it is skipped.
void TypeDigits(const wchar_t *digits);
// Home, Down row times, Enter: chooses that row of the list or pop-up in
// front, whichever row was highlighted before.
void ChooseRow(int row);
// Presses Tab, the desktop's key for the next field, until control has the
// focus; false when it never gets it.
bool MoveFocusTo(HWND control);

// Counts, from the moment it is made, the Back presses of other programs:
// the lock agent presses Back a moment after its prompt shows, and a digit
// typed before that press would be lost to it.
class OthersBackPresses {
public:
    OthersBackPresses();
    ~OthersBackPresses();
    OthersBackPresses(const OthersBackPresses &) = delete;
    OthersBackPresses &operator=(const OthersBackPresses &) = delete;
    // True once another program has pressed Back since the last call (or
    // since this was made); false after timeoutMs.
    bool WaitNext(DWORD timeoutMs);

private:
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    LONG taken_ = 0;
};

}  // namespace harness

#endif
