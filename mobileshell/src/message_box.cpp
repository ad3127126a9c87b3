// Message boxes on the phone's screen. The desktop's box is as wide as its
// text on one line, and on a 176-pixel screen that runs past both edges; a
// phone's box fits the screen. A box that does not fit gets the screen's
// width: its text wraps to it, and what stands under the text moves down.
#include "shell_internal.h"

namespace mobileshell {
namespace {

// Wine's message box template: the text and the icon.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x0440;

RECT ClientRectOf(HWND child, HWND parent) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rc), 2);
    return rc;
}

// The height text needs when wrapped to width.
int WrappedHeight(HWND text, int width) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(text, buffer, 1024);
    HDC dc = GetDC(text);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(text, WM_GETFONT, 0, 0)));
    RECT calc = {0, 0, width, 0};
    DrawTextW(dc, buffer, -1, &calc,
              DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(text, dc);
    return calc.bottom;
}

struct Shift {
    HWND box, text, icon;
    int left, down, below;  // children under `below` move `down`; all move `left`
};

BOOL CALLBACK MoveChild(HWND child, LPARAM param) {
    const Shift &s = *reinterpret_cast<const Shift *>(param);
    if (child == s.text || GetParent(child) != s.box) return TRUE;
    RECT rc = ClientRectOf(child, s.box);
    const int down = (child != s.icon && rc.top >= s.below) ? s.down : 0;
    SetWindowPos(child, nullptr, rc.left - s.left, rc.top + down, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

}  // namespace

void FitMessageBox(HWND box) {
    HWND text = GetDlgItem(box, kTextId);
    HWND icon = GetDlgItem(box, kIconId);
    if (!text || !icon) return;  // some other dialog
    RECT boxRect;
    GetWindowRect(box, &boxRect);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int over = (boxRect.right - boxRect.left) - cx;
    if (over <= 0) return;
    RECT textRect = ClientRectOf(text, box);
    const int width = (textRect.right - textRect.left) - over;
    if (width <= 0) return;
    const int oldHeight = textRect.bottom - textRect.top;
    const int height = WrappedHeight(text, width);
    const int grow = height > oldHeight ? height - oldHeight : 0;

    Shift shift = {box, text, icon, over / 2, grow, textRect.bottom};
    EnumChildWindows(box, MoveChild, reinterpret_cast<LPARAM>(&shift));
    SetWindowPos(text, nullptr, textRect.left, textRect.top, width, oldHeight + grow,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const int boxHeight = (boxRect.bottom - boxRect.top) + grow;
    SetWindowPos(box, nullptr, 0, (cy - boxHeight) / 2, cx, boxHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mobileshell
