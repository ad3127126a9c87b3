// SHSendBackToFocusWindow: Back, handed over by an owner that overrides it,
// erases in the focused edit field the way the phone's Back key does.
#include "shell_internal.h"

using namespace mobileshell;

extern "C" void SHSendBackToFocusWindow(UINT uMsg, WPARAM wp, LPARAM lp) {
    (void)wp;
    if (uMsg != WM_HOTKEY || HIWORD(lp) != VK_TBACK) return;
    if (LOWORD(lp) & MOD_KEYUP) return;  // the key-down did the work
    HWND focus = GetFocus();
    if (!IsEditControl(focus) || (GetWindowLongW(focus, GWL_STYLE) & ES_READONLY)) return;

    DWORD start = 0, end = 0;
    SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (start == end) {
        if (start == 0) return;  // nothing before the caret: Back does nothing
        SendMessageW(focus, EM_SETSEL, start - 1, end);
    }
    SendMessageW(focus, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}
