#include "test_windows.h"

#include "control_channel.h"
#include "module_instance.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace agent_test {
namespace {

// The prompt's template, soft-key bar and strings come from this executable.
const bool kModuleKnown = (g_moduleInstance = GetModuleHandleW(nullptr)) != nullptr;

std::vector<HWND> g_made;
std::map<HWND, Received> g_received;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        ++g_received[window].closes;
        return 0;
    case MSG_CONTROL: {
        Received &r = g_received[window];
        ++r.controls;
        r.controlCommand = wParam;
        r.controlParam = lParam;
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterOnce(const wchar_t *cls) {
    static std::set<std::wstring> registered;
    if (!registered.insert(cls).second) return;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
}

HWND Remember(HWND window) {
    if (window) g_made.push_back(window);
    return window;
}

}  // namespace

HWND MakeTopLevel(const wchar_t *cls, HWND owner, bool visible) {
    RegisterOnce(cls);
    DWORD style = WS_POPUP | (visible ? WS_VISIBLE : 0);
    return Remember(CreateWindowExW(0, cls, L"", style, 0, 0, 200, 200, owner, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
}

HWND MakeChild(HWND parent) {
    RegisterOnce(L"AgentTestChild");
    return Remember(CreateWindowExW(0, L"AgentTestChild", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                    parent, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void DestroyTestWindows() {
    for (auto it = g_made.rbegin(); it != g_made.rend(); ++it)
        if (IsWindow(*it)) DestroyWindow(*it);
    g_made.clear();
    g_received.clear();
}

Received &ReceivedBy(HWND window) {
    return g_received[window];
}

bool WindowHasStyle(HWND window, DWORD style) {
    return (static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & style) == style;
}

}  // namespace agent_test
