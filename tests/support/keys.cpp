#include "keys.h"

#include "waits.h"
#include "window_search.h"

namespace harness {

void PressKey(BYTE vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(30);
}

void TypeDigits(const wchar_t *digits) {
    for (const wchar_t *p = digits; *p; ++p) {
        if (*p >= L'0' && *p <= L'9') PressKey(static_cast<BYTE>(*p));
    }
}

void ChooseRow(int row) {
    PressKey(VK_HOME);
    for (int at = 0; at < row; ++at) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}

bool MoveFocusTo(HWND control) {
    for (int i = 0; i < 6; ++i) {
        if (WaitUntil([&] { return FocusOf(control) == control; }, 200)) return true;
        PressKey(VK_TAB);
    }
    return false;
}

}  // namespace harness
