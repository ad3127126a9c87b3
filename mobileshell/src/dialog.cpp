// SHInitDialog: a smartphone dialog fills the screen above its soft-key bar.
#include "shell_internal.h"

using namespace mobileshell;

namespace {

// The dialog's own window procedure, while the shell's stands in front of it.
constexpr wchar_t kDialogProcProp[] = L"MobileShell.DialogProc";

// The shell sees a full-screen dialog's moves before the dialog manager does:
// a WINDOWPOS changed here is the one the move takes (a hook only sees a copy):
// window_order_differences.h, 9 and 10.
LRESULT CALLBACK FullScreenDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    WNDPROC next = reinterpret_cast<WNDPROC>(GetPropW(dlg, kDialogProcProp));
    if (!next) return DefWindowProcW(dlg, msg, wp, lp);
    if (msg == WM_WINDOWPOSCHANGING)
        KeepOffScreenWindowOff(dlg, *reinterpret_cast<WINDOWPOS *>(lp));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        RemovePropW(dlg, kDialogProcProp);
    }
    return CallWindowProcW(next, dlg, msg, wp, lp);
}

void StandInFront(HWND dlg) {
    if (GetPropW(dlg, kDialogProcProp)) return;
    LONG_PTR own = GetWindowLongPtrW(dlg, GWLP_WNDPROC);
    if (!own || !SetPropW(dlg, kDialogProcProp, reinterpret_cast<HANDLE>(own))) return;
    SetWindowLongPtrW(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FullScreenDialogProc));
}

}  // namespace

extern "C" BOOL SHInitDialog(PSHINITDLGINFO pshidi) {
    if (!pshidi || !(pshidi->dwMask & SHIDIM_FLAGS) || !IsWindow(pshidi->hDlg)) return FALSE;
    HWND dlg = pshidi->hDlg;
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(dlg, &pid);
    if (pid == GetCurrentProcessId()) {
        EnsureThreadHooks(thread);
        StandInFront(dlg);
    }
    EnsureThreadHooks(GetCurrentThreadId());

    // SHIDIF_DONEBUTTON has no visible effect on a smartphone.
    const DWORD flags = pshidi->dwFlags;
    if (!(flags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIZEDLG | SHIDIF_FULLSCREENNOMENUBAR)))
        return TRUE;

    const int cx = GetSystemMetrics(SM_CXSCREEN);
    int bottom = GetSystemMetrics(SM_CYSCREEN);
    HWND bar = (flags & SHIDIF_FULLSCREENNOMENUBAR) ? nullptr : SHFindMenuBar(dlg);
    RECT barRect;
    if (bar && GetWindowRect(bar, &barRect) && barRect.top < bottom) bottom = barRect.top;

    RECT before;
    GetWindowRect(dlg, &before);
    SetWindowPos(dlg, nullptr, 0, 0, cx, bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // The dialog lays itself out in WM_SIZE; it must get one even when the
    // size was already right.
    if (before.right - before.left == cx && before.bottom - before.top == bottom) {
        RECT client;
        GetClientRect(dlg, &client);
        SendMessageW(dlg, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
    return TRUE;
}
