// The four applications the lock protects, driven as the user and the lock
// agent drive them: the window the agent looks for, in front, full screen above
// its soft-key bar; one copy only; Back to the home screen; WM_CLOSE ends it.
#include "aygshell.h"
#include "phone_screen.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct AppCase {
    const char *name;
    const wchar_t *exe;
    const wchar_t *windowClass;  // what the lock agent looks for
    int homeRow;                 // its row on the home screen
};

const int kSettingsRow = 4;  // the settings program, under the four applications

const AppCase kApps[] = {
    {"Contacts", L"Contacts.exe", L"MSContactsUI", 0},
    {"Calendar", L"Calendar.exe", L"Calendar", 1},
    {"CallLog", L"CallLog.exe", L"MSClog", 2},
    {"Messages", L"Messages.exe", L"Inbox.MainWnd", 3},
};

// Test names and failure messages name the application.
void PrintTo(const AppCase &app, std::ostream *os) {
    *os << app.name;
}

class PhoneApp : public scenario::ScenarioTest, public testing::WithParamInterface<AppCase> {
protected:
    void SetUp() override {
        scenario::KillProgramsNamed(phonetest::PhonePrograms());
        ASSERT_TRUE(home_.Start(L"PhoneHome.exe", L"/nostartup"));
        homeWindow_ = scenario::WaitForWindow(L"PhoneHome", nullptr, 10000);
        ASSERT_NE(homeWindow_, nullptr);
        ASSERT_TRUE(scenario::WaitForForeground(homeWindow_));
    }
    void TearDown() override {
        scenario::ScenarioTest::TearDown();
        scenario::KillProgramsNamed(phonetest::PhonePrograms());
    }

    // Starts the application and waits for its window to come up in front.
    HWND StartApp() {
        if (!app_.Start(GetParam().exe)) return nullptr;
        HWND w = scenario::WaitForWindow(GetParam().windowClass, nullptr, 10000);
        if (w) scenario::WaitForForeground(w);
        return w;
    }

    scenario::Process home_;
    scenario::Process app_;
    HWND homeWindow_ = nullptr;
};

TEST_P(PhoneApp, ComesUpInFrontFullScreenAboveItsBar) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetForegroundWindow(), w);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    EXPECT_EQ(pid, app_.Id());
    phonetest::ExpectFullScreenAboveBar(w);
}

TEST_P(PhoneApp, SecondStartShowsTheFirstAndEnds) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    // Leave it the way the lock agent leaves a locked application, behind the home screen.
    HWND bar = SHFindMenuBar(w);
    ASSERT_NE(bar, nullptr);
    ShowWindow(bar, SW_HIDE);
    ShowWindow(w, SW_MINIMIZE);
    ShowWindow(w, SW_HIDE);
    SetForegroundWindow(homeWindow_);
    ASSERT_TRUE(scenario::WaitForForeground(homeWindow_));

    scenario::Process second;
    ASSERT_TRUE(second.Start(GetParam().exe));
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(10000, &code)) << "the second copy keeps running";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(scenario::WaitForForeground(w));
    EXPECT_EQ(phonetest::CountTopLevel(GetParam().windowClass), 1);
    EXPECT_TRUE(app_.Running());
    phonetest::ExpectFullScreenAboveBar(w);
}

TEST_P(PhoneApp, CloseEndsIt) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    HWND bar = SHFindMenuBar(w);
    ASSERT_TRUE(PostMessageW(w, WM_CLOSE, 0, 0));
    DWORD code = 99;
    ASSERT_TRUE(app_.WaitExit(5000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_TRUE(scenario::WaitForForeground(homeWindow_)) << "the home screen is what is left";
}

TEST_P(PhoneApp, BackReturnsToTheHomeScreenAndHomeOpensItAgain) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(GetForegroundWindow(), w);
    scenario::PressKey(VK_ESCAPE);  // Back
    ASSERT_TRUE(scenario::WaitForForeground(homeWindow_));
    EXPECT_TRUE(app_.Running()) << "Back leaves the application running";
    phonetest::ExpectFullScreenAboveBar(homeWindow_);

    // The settings program, opened from the home screen and left with
    // "Выход", hands the screen back to the home screen, not to the
    // application behind it (nor to that one's soft-key bar).
    phonetest::OpenRow(kSettingsRow);
    ASSERT_TRUE(phonetest::WaitForegroundClass(L"#32770", 10000));
    scenario::PressKey(VK_F1);
    EXPECT_TRUE(scenario::WaitUntil([] { return !FindWindowW(L"#32770", L"Настройки"); }, 5000));
    EXPECT_TRUE(scenario::WaitForForeground(homeWindow_));
    phonetest::ExpectFullScreenAboveBar(homeWindow_);

    // The home screen's row for the application brings the same window back.
    phonetest::OpenRow(GetParam().homeRow);
    EXPECT_TRUE(scenario::WaitForForeground(w));
    EXPECT_EQ(phonetest::CountTopLevel(GetParam().windowClass), 1);
    EXPECT_TRUE(app_.Running());
}

TEST_P(PhoneApp, HomeScreenRowOpensItAndItsSoftKeysWork) {
    phonetest::OpenRow(GetParam().homeRow);
    ASSERT_TRUE(phonetest::WaitForegroundClass(GetParam().windowClass, 10000));
    HWND w = GetForegroundWindow();
    phonetest::ExpectFullScreenAboveBar(w);

    // Left soft key: the selected entry opens as a page of its own; Back closes
    // the page and stays in the application.
    HWND page = FindWindowExW(w, nullptr, L"Static", nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsWindowVisible(page));
    scenario::PressKey(VK_F1);
    EXPECT_TRUE(scenario::WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, 3000));
    EXPECT_FALSE(scenario::WindowText(page).empty());
    scenario::PressKey(VK_ESCAPE);
    EXPECT_TRUE(scenario::WaitUntil([&] { return !IsWindowVisible(page); }, 3000));
    Sleep(200);
    EXPECT_EQ(GetForegroundWindow(), w);

    // Right soft key: its menu ends with "Выход", which closes the application.
    scenario::PressKey(VK_F2);
    Sleep(300);  // the menu opens with its first item highlighted
    scenario::PressKey(VK_UP);
    scenario::PressKey(VK_RETURN);
    EXPECT_TRUE(scenario::WaitUntil(
        [&] { return phonetest::CountTopLevel(GetParam().windowClass) == 0; }, 5000));
    EXPECT_TRUE(scenario::WaitForForeground(homeWindow_));
}

INSTANTIATE_TEST_SUITE_P(Apps, PhoneApp, testing::ValuesIn(kApps),
                         [](const testing::TestParamInfo<AppCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
