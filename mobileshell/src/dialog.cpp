// SHInitDialog: a smartphone dialog fills the screen above its soft-key bar.
#include "shell_internal.h"

using namespace mobileshell;

extern "C" BOOL SHInitDialog(PSHINITDLGINFO pshidi) {
    if (!pshidi || !(pshidi->dwMask & SHIDIM_FLAGS) || !IsWindow(pshidi->hDlg)) return FALSE;
    HWND dlg = pshidi->hDlg;
    DWORD pid = 0;
    DWORD thread = GetWindowThreadProcessId(dlg, &pid);
    if (pid == GetCurrentProcessId()) EnsureThreadHooks(thread);
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
