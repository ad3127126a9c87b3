#include "phone_screen.h"

#include "aygshell.h"
#include "waits.h"

#include <gtest/gtest.h>

namespace phonetest {

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
    EXPECT_TRUE(harness::WaitUntil([&] { return GetWindow(hwnd, GW_HWNDPREV) == bar; }, 1000))
        << "its bar is right above it in the window order";
}

}  // namespace phonetest
