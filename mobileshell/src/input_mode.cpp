// EM_SETINPUTMODE: a phone keypad in numbers mode types digits only. The edit
// is subclassed the first time it receives the message; its mode lives in a
// window property so the subclass and the hook agree without shared state.
#include "shell_internal.h"

namespace mobileshell {
namespace {

constexpr wchar_t kModeProp[] = L"MobileShell.InputMode";  // mode + 1
constexpr wchar_t kProcProp[] = L"MobileShell.EditProc";   // the edit's own procedure

LRESULT CALLBACK InputModeEditProc(HWND edit, UINT msg, WPARAM wp, LPARAM lp) {
    WNDPROC next = reinterpret_cast<WNDPROC>(GetPropW(edit, kProcProp));
    if (!next) return DefWindowProcW(edit, msg, wp, lp);
    switch (msg) {
    case WM_CHAR: {
        const LONG_PTR mode = reinterpret_cast<LONG_PTR>(GetPropW(edit, kModeProp)) - 1;
        const bool control = wp < 0x20;  // backspace, Ctrl+C, ... keep working
        if (mode == IM_NUMBERS && !control && !(wp >= L'0' && wp <= L'9')) return 0;
        break;
    }
    case WM_NCDESTROY:
        RemovePropW(edit, kModeProp);
        RemovePropW(edit, kProcProp);
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC)) == InputModeEditProc)
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        break;
    }
    return CallWindowProcW(next, edit, msg, wp, lp);
}

}  // namespace

void ApplyInputMode(HWND edit, LPARAM mode) {
    if (!IsEditControl(edit) || mode < IM_SPELL || mode > IM_LAST) return;
    SetPropW(edit, kModeProp, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(mode + 1)));
    if (GetPropW(edit, kProcProp)) return;  // already subclassed
    LONG_PTR own =
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InputModeEditProc));
    if (own) SetPropW(edit, kProcProp, reinterpret_cast<HANDLE>(own));
}

}  // namespace mobileshell
