// Another process's bar: SHFindMenuBar finds it from here, and a key pressed
// from here (SendInput) reaches that process's foreground window.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform_shell.h"
#include "scenario.h"
#include "shell_test_resource.h"

namespace {

TEST(CrossProcess, FindsTheBarOfAnotherProcessAndDrivesItsSoftKey) {
    scenario::Process helper;
    ASSERT_TRUE(helper.Start(L"shell_bar_helper.exe"));
    HWND owner = scenario::WaitForWindow(L"ShellTestOwner", nullptr, 10000);
    ASSERT_NE(nullptr, owner);
    HWND bar = nullptr;
    ASSERT_TRUE(scenario::WaitUntil([&] { return (bar = SHFindMenuBar(owner)) != nullptr; }, 5000));
    EXPECT_EQ(L"menu_worker", scenario::ClassName(bar));
    EXPECT_EQ(owner, GetWindow(bar, GW_OWNER));
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    EXPECT_EQ(helper.Id(), pid);
    EXPECT_NE(GetCurrentProcessId(), pid);

    // The watcher of the agent hides and shows another program's bar.
    ShowWindow(bar, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(bar));
    ShowWindow(bar, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(bar));

    ASSERT_TRUE(scenario::WaitUntil([&] { return GetForegroundWindow() == owner; }, 5000))
        << "the helper's window is in the foreground";
    scenario::PressKey(VK_F2);
    DWORD code = 0;
    ASSERT_TRUE(helper.WaitExit(5000, &code));
    EXPECT_EQ(static_cast<DWORD>(IDC_RIGHT), code)
        << "F2 from this process reached the helper's bar";
    EXPECT_FALSE(IsWindow(bar)) << "gone with its process";
}

}  // namespace
