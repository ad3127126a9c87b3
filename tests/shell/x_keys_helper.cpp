// The phone side of x_keys_test (window order, 11): a screen with a bar on a
// thread of its own, left idle behind two windows of this thread; the window
// in front goes away, the screen comes to the front, and the keys typed
// through X must reach it: it prints "type KEYS into TITLE" when x_keys_test
// is to type them. Exits 0 once it has received them, 1 when it did not
// within the harness's time.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "platform_shell.h"
#include "shell_test_resource.h"
#include "waits.h"
#include "window_order_differences.h"
#include "window_search.h"

namespace {

constexpr wchar_t kBehind[] = L"XKeysBehind";  // the idle screen, with a bar
constexpr wchar_t kFront[] = L"XKeysFront";
constexpr UINT kMsgFresh = WM_APP + 60;

std::mutex g_lock;
std::string g_received;

std::string Received() {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_received;
}

LRESULT CALLBACK ScreenProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CHAR) {
        std::lock_guard<std::mutex> hold(g_lock);
        g_received += static_cast<char>(wp);
    }
    return DefWindowProcW(window, msg, wp, lp);
}

HWND CreateScreen(const wchar_t *title) {
    const bool withBar = title == kBehind;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ScreenProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"XKeysScreen";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, title, WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, wc.hInstance, nullptr);
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof mbi;
    mbi.hwndParent = window;
    mbi.nToolBarId = IDR_BAR_TWO_COMMANDS;
    mbi.hInstRes = wc.hInstance;
    if (withBar && !SHCreateMenuBar(&mbi)) return nullptr;
    return window;
}

// Shown in front with X's focus asked for with the time of now.
bool ComeToFront(HWND window) {
    MSG fresh;
    PostThreadMessageW(GetCurrentThreadId(), kMsgFresh, 0, 0);
    PeekMessageW(&fresh, reinterpret_cast<HWND>(-1), kMsgFresh, kMsgFresh, PM_REMOVE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return harness::WaitForForeground(window);
}

// Asks x_keys_test to type keys into the window of that title once X's
// focus is there, and waits for them.
bool Typed(const char *keys, const wchar_t *title) {
    {
        std::lock_guard<std::mutex> hold(g_lock);
        g_received.clear();
    }
    std::printf("type %s into %ls\n", keys, title);
    std::fflush(stdout);
    return harness::PumpUntil([&] { return Received() == keys; }, harness::kScreenMs);
}

}  // namespace

int main() {
    HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND behind = nullptr;
    DWORD behindThread = 0;
    std::thread idle([&] {
        behind = CreateScreen(kBehind);
        ShowWindow(behind, SW_SHOWNOACTIVATE);
        behindThread = GetCurrentThreadId();
        SetEvent(made);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        DestroyWindow(behind);
    });
    WaitForSingleObject(made, harness::kScreenMs);
    // A key typed first: from then on Wine asks X for the focus with this
    // process's message times instead of "now".
    HWND first = CreateScreen(kFront);
    bool fine = behind && ComeToFront(first) && Typed("0", kFront);
    // The screen's thread takes its last message: its ticks are over.
    harness::Pump(mobileshell::kTickScheduleMs + harness::kBusyMarginMs);
    // X's focus changes after that, so the screen's thread asks for it with a
    // time older than X's last change unless it takes a fresh one.
    HWND last = CreateScreen(kFront);
    fine = fine && ComeToFront(last);
    ShowWindow(first, SW_HIDE);
    DestroyWindow(last);  // Wine hands the front to the idle screen
    const bool handed = fine && harness::WaitForForeground(behind);
    const bool typed = handed && Typed("123", kBehind);
    PostThreadMessageW(behindThread, WM_QUIT, 0, 0);
    idle.join();
    DestroyWindow(first);
    if (!handed) std::printf("x_keys_helper: the idle screen did not come to the front\n");
    if (handed && !typed)
        std::printf("x_keys_helper: the screen in front received \"%s\"\n", Received().c_str());
    return typed ? 0 : 1;
}
