// A second process with a soft-key bar for the cross-process tests: a window
// of class "ShellTestOwner" with bar IDR_BAR_TWO_COMMANDS; exits with the first
// soft-key command it receives (or 999 after 20 s, or 0 on WM_CLOSE).
#include <windows.h>

#include "platform_shell.h"
#include "shell_test_resource.h"

namespace {
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        PostQuitMessage(LOWORD(wp));
        return 0;
    case WM_TIMER:
        PostQuitMessage(999);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ShellTestOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, L"ShellTestOwner", L"Shell test owner", WS_POPUP | WS_VISIBLE,
                                 0, 0, 100, 100, nullptr, nullptr, inst, nullptr);
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof(mbi);
    mbi.hwndParent = owner;
    mbi.nToolBarId = IDR_BAR_TWO_COMMANDS;
    mbi.hInstRes = inst;
    if (!SHCreateMenuBar(&mbi)) return 998;
    SetForegroundWindow(owner);
    SetFocus(owner);
    SetTimer(owner, 1, 20000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
