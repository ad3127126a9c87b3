// Another process's bar: SHFindMenuBar finds it from here, and a key pressed
// from here (SendInput) reaches that process's foreground window.
#include <windows.h>

#include <gtest/gtest.h>

#include "keys.h"
#include "platform_shell.h"
#include "programs.h"
#include "shell_internal.h"
#include "shell_test_resource.h"
#include "window_search.h"

namespace {

TEST(CrossProcess, FindsTheBarOfAnotherProcessAndDrivesItsSoftKey) {
    harness::Process helper;
    ASSERT_TRUE(helper.Start(L"shell_bar_helper.exe"));
    HWND owner = harness::WaitForWindow(L"ShellTestOwner", nullptr, 10000);
    ASSERT_NE(nullptr, owner);
    HWND bar = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] { return (bar = SHFindMenuBar(owner)) != nullptr; }, 5000));
    EXPECT_EQ(mobileshell::kBarClass, harness::ClassName(bar));
    EXPECT_EQ(owner, GetWindow(bar, GW_OWNER));
    const DWORD pid = harness::ProcessOf(bar);
    EXPECT_EQ(helper.Id(), pid);
    EXPECT_NE(GetCurrentProcessId(), pid);

    // The watcher of the agent hides and shows another program's bar.
    ShowWindow(bar, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(bar));
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(bar));

    ASSERT_TRUE(harness::WaitUntil([&] { return GetForegroundWindow() == owner; }, 5000))
        << "the helper's window is in the foreground";
    harness::PressKey(VK_F2);
    DWORD code = 0;
    ASSERT_TRUE(helper.WaitExit(5000, &code));
    EXPECT_EQ(static_cast<DWORD>(IDC_RIGHT), code)
        << "F2 from this process reached the helper's bar";
    EXPECT_FALSE(IsWindow(bar)) << "gone with its process";
}

}  // namespace
