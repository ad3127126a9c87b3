// Captions as the phone draws them. A smartphone's dialog and message box
// captions are a title and nothing else: no close box, whatever the window's
// style asks for. Wine draws one for WS_SYSMENU, with a glyph of a symbol font
// the phone's prefix does not have. The style bit goes before the window is
// first shown; closing it still works as it did (WM_CLOSE, SC_CLOSE, Esc).
#include "shell_internal.h"

namespace mobileshell {

void DropCloseBox(HWND window) {
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return;
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if ((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU))
        SetWindowLongW(window, GWL_STYLE, style & ~WS_SYSMENU);
}

}  // namespace mobileshell
