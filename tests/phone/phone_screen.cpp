#include "phone_screen.h"

#include "aygshell.h"
#include "scenario.h"

#include <gtest/gtest.h>

namespace phonetest {

const std::vector<std::wstring> &PhonePrograms() {
    static const std::vector<std::wstring> programs = {
        L"PhoneHome.exe", L"Contacts.exe",  L"Calendar.exe", L"CallLog.exe",
        L"Messages.exe",  L"Quelwatch.exe", L"Quelset.exe"};
    return programs;
}

bool WaitForegroundClass(const wchar_t *cls, DWORD timeoutMs) {
    return scenario::WaitUntil(
        [&] {
            HWND fg = GetForegroundWindow();
            return fg && scenario::ClassName(fg) == cls;
        },
        timeoutMs);
}

int CountTopLevel(const wchar_t *cls) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;) ++count;
    return count;
}

void ExpectFullScreenAboveBar(HWND hwnd) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
    HWND bar = SHFindMenuBar(hwnd);
    ASSERT_NE(bar, nullptr) << "no soft-key bar";
    EXPECT_TRUE(IsWindowVisible(bar));
    RECT w, b;
    ASSERT_TRUE(GetWindowRect(hwnd, &w));
    ASSERT_TRUE(GetWindowRect(bar, &b));
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, cx);
    EXPECT_EQ(b.bottom, cy);
    EXPECT_GT(b.top, cy / 2) << "the bar is a strip along the bottom";
    EXPECT_EQ(w.left, 0);
    EXPECT_EQ(w.top, 0);
    EXPECT_EQ(w.right, cx);
    EXPECT_EQ(w.bottom, b.top);
    EXPECT_TRUE(scenario::WaitUntil([&] { return GetWindow(hwnd, GW_HWNDPREV) == bar; }, 1000))
        << "its bar is right above it in the window order";
}

void OpenRow(int row) {
    scenario::PressKey(VK_HOME);
    for (int i = 0; i < row; ++i) scenario::PressKey(VK_DOWN);
    scenario::PressKey(VK_RETURN);
}

}  // namespace phonetest
