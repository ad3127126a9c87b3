#include "keys.h"

#include "waits.h"
#include "window_search.h"

namespace harness {

namespace {

// Marks the keys this harness presses, to tell them from other programs'.
constexpr ULONG_PTR kOwnKey = 0x51554C4C;

LONG g_othersBackPresses = 0;

LRESULT CALLBACK CountBackPress(int code, WPARAM wp, LPARAM lp) {
    const auto *key = reinterpret_cast<const KBDLLHOOKSTRUCT *>(lp);
    if (code == HC_ACTION && wp == WM_KEYUP && key->vkCode == VK_TBACK &&
        key->dwExtraInfo != kOwnKey)
        InterlockedIncrement(&g_othersBackPresses);
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Wine calls a low-level hook on the thread that set it, from its message loop.
DWORD WINAPI BackPressThread(LPVOID ready) {
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, CountBackPress, GetModuleHandleW(nullptr), 0);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue for WM_QUIT
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (hook) UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

OthersBackPresses::OthersBackPresses() {
    taken_ = InterlockedCompareExchange(&g_othersBackPresses, 0, 0);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, BackPressThread, ready, 0, &threadId_);
    if (thread_) WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

OthersBackPresses::~OthersBackPresses() {
    if (!thread_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

bool OthersBackPresses::WaitNext(DWORD timeoutMs) {
    auto count = [] { return InterlockedCompareExchange(&g_othersBackPresses, 0, 0); };
    if (!WaitUntil([&] { return count() > taken_; }, timeoutMs)) return false;
    taken_ = count();
    return true;
}

void PressKey(BYTE vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in[0].ki.dwExtraInfo = in[1].ki.dwExtraInfo = kOwnKey;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // No pause after it: the system keeps keys in the order they were
    // pressed, and a caller that needs the key's effect waits for that.
    SendInput(2, in, sizeof(INPUT));
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
