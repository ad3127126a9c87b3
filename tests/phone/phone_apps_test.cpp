// The four applications the lock protects, driven as the user and the lock
// agent drive them: the window the agent looks for, in front, full screen above
// its soft-key bar; one copy only; Back to the home screen; WM_CLOSE ends it.
#include "aygshell.h"
#include "keys.h"
#include "phone_constants.h"
#include "phone_screen.h"
#include "phone_shortcuts.h"
#include "programs.h"
#include "scenario_test.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace harness;

namespace {

struct AppCase {
    const char *name;
    const wchar_t *exe;
    const wchar_t *windowClass;  // what the lock agent looks for
    int homeRow;                 // its row on the home screen
};

// The settings program, the one program of the Start menu, under the four applications.
const int kSettingsRow = 4;

const AppCase kApps[] = {
    {"Contacts", phone::kContactsExe, phone::kContactsClassCe5, 0},  // Wine is no CE 4 or 6
    {"Calendar", phone::kCalendarExe, phone::kCalendarClass, 1},
    {"CallLog", phone::kCallLogExe, phone::kCallLogClass, 2},
    {"Messages", phone::kMessagesExe, phone::kInboxClass, 3},
};

// Test names and failure messages name the application.
void PrintTo(const AppCase &app, std::ostream *os) {
    *os << app.name;
}

// Keeps the thread of another program's window from running until released,
// as a busy phone may: what reaches that thread meanwhile, it reads late.
// Holds nothing for no window.
class HeldThread {
public:
    explicit HeldThread(HWND window)
        : thread_(
              OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr))) {
        held_ = thread_ && SuspendThread(thread_) != static_cast<DWORD>(-1);
    }
    ~HeldThread() {
        Release();
        if (thread_) CloseHandle(thread_);
    }
    HeldThread(const HeldThread &) = delete;
    HeldThread &operator=(const HeldThread &) = delete;
    bool Held() const { return held_; }
    void Release() {
        if (held_) ResumeThread(thread_);
        held_ = false;
    }

private:
    HANDLE thread_;
    bool held_ = false;
};

class PhoneApp : public ScenarioTest, public testing::WithParamInterface<AppCase> {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        ASSERT_TRUE(shortcuts_.Put(phone::kProgramsFolder, L"Квеллор",
                                   phonetest::ShortcutTo(ProgramPath(kSettingsExe))));
        ASSERT_TRUE(home_.Start(phone::kHomeExe, phone::kNoStartupArg))
            << "CreateProcess failed, error " << GetLastError();
        homeWindow_ = WaitForWindow(phone::kHomeClass, nullptr, kStartMs);
        ASSERT_NE(homeWindow_, nullptr) << "no home screen; the program " << home_.Fate();
        ASSERT_TRUE(home_.WaitStarted(kStartMs));  // see StartApp
        ASSERT_TRUE(WaitForForeground(homeWindow_));
    }

    // Starts the application and waits for its window to come up in front.
    HWND StartApp() {
        if (!app_.Start(GetParam().exe)) {
            ADD_FAILURE() << "CreateProcess failed, error " << GetLastError();
            return nullptr;
        }
        HWND w = WaitForWindow(GetParam().windowClass, nullptr, kStartMs);
        // Done starting: the window is in front a moment before the program's
        // last start-up step, which would undo what the test does meanwhile.
        app_.WaitStarted(kStartMs);
        if (!w) ADD_FAILURE() << "no window; the program " << app_.Fate();
        if (w) WaitForForeground(w);
        return w;
    }

    phonetest::ShortcutFiles shortcuts_;
    Process home_;
    Process app_;
    HWND homeWindow_ = nullptr;
};

TEST_P(PhoneApp, ComesUpInFrontFullScreenAboveItsBar) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(GetForegroundWindow(), w);
    EXPECT_EQ(ProcessOf(w), app_.Id());
    phonetest::ExpectFullScreenAboveBar(w);
}

TEST_P(PhoneApp, SecondStartShowsTheFirstAndEnds) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    HWND bar = SHFindMenuBar(w);
    ASSERT_NE(bar, nullptr);
    // Twice: with the home screen in front, then with the home screen held
    // (a busy phone may hold it), so that what the hidden application
    // uncovered of it reaches it only once the application is back in front:
    // it must not lift the home screen over the application.
    for (const bool homeHeld : {false, true}) {
        SCOPED_TRACE(homeHeld ? "home screen held" : "home screen in front");
        HeldThread home(homeHeld ? homeWindow_ : nullptr);
        ASSERT_EQ(home.Held(), homeHeld);
        // Leave it the way the lock agent leaves a locked application, behind the home screen.
        ShowWindow(bar, SW_HIDE);
        ShowWindow(w, SW_MINIMIZE);
        ShowWindow(w, SW_HIDE);
        if (!homeHeld) {
            SetForegroundWindow(homeWindow_);
            ASSERT_TRUE(WaitForForeground(homeWindow_));
        }

        Process second;
        ASSERT_TRUE(second.Start(GetParam().exe));
        DWORD code = 99;
        ASSERT_TRUE(second.WaitExit(kStartMs, &code)) << "the second copy keeps running";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(WaitForForeground(w));
        home.Release();
        EXPECT_EQ(CountTopLevel(GetParam().windowClass), 1);
        EXPECT_TRUE(app_.Running());
        phonetest::ExpectFullScreenAboveBar(w);
    }
}

TEST_P(PhoneApp, CloseEndsIt) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    HWND bar = SHFindMenuBar(w);
    ASSERT_TRUE(PostMessageW(w, WM_CLOSE, 0, 0));
    DWORD code = 99;
    ASSERT_TRUE(app_.WaitExit(kScreenMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_TRUE(WaitForForeground(homeWindow_)) << "the home screen is what is left";
}

TEST_P(PhoneApp, BackReturnsToTheHomeScreenAndHomeOpensItAgain) {
    HWND w = StartApp();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(GetForegroundWindow(), w);
    PressKey(VK_TBACK);
    ASSERT_TRUE(WaitForForeground(homeWindow_));
    EXPECT_TRUE(app_.Running()) << "Back leaves the application running";
    phonetest::ExpectFullScreenAboveBar(homeWindow_);

    // The settings program, opened from the home screen and left with
    // "Выход", hands the screen back to the home screen, not to the
    // application behind it (nor to that one's soft-key bar).
    ChooseRow(kSettingsRow);
    ASSERT_TRUE(WaitForegroundClass(kDialogClass, kStartMs));
    PressKey(VK_TSOFT1);
    EXPECT_TRUE(WaitUntil([] { return !ProgramRuns(kSettingsExe); }, kScreenMs));
    EXPECT_TRUE(WaitForForeground(homeWindow_));
    phonetest::ExpectFullScreenAboveBar(homeWindow_);

    // The home screen's row for the application brings the same window back.
    ChooseRow(GetParam().homeRow);
    EXPECT_TRUE(WaitForForeground(w));
    EXPECT_EQ(CountTopLevel(GetParam().windowClass), 1);
    EXPECT_TRUE(app_.Running());
}

TEST_P(PhoneApp, HomeScreenRowOpensItAndItsSoftKeysWork) {
    ChooseRow(GetParam().homeRow);
    ASSERT_TRUE(WaitForegroundClass(GetParam().windowClass, kStartMs));
    HWND w = GetForegroundWindow();
    phonetest::ExpectFullScreenAboveBar(w);

    // Left soft key: the selected entry opens as a page of its own; Back closes
    // the page and stays in the application.
    HWND page = FindWindowExW(w, nullptr, L"Static", nullptr);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsWindowVisible(page));
    PressKey(VK_TSOFT1);
    EXPECT_TRUE(WaitShown(page));
    EXPECT_FALSE(WindowText(page).empty());
    PressKey(VK_TBACK);
    EXPECT_TRUE(WaitHidden(page, kScreenMs));  // Back closes the page or goes home, not both
    EXPECT_EQ(GetForegroundWindow(), w);

    // Right soft key: its menu ends with "Выход", which closes the application.
    PressKey(VK_TSOFT2);
    EXPECT_NE(WaitForPopupMenu(ProcessOf(w)), nullptr);
    PressKey(VK_UP);  // from the first entry, or none, to the last
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return CountTopLevel(GetParam().windowClass) == 0; }, kScreenMs));
    EXPECT_TRUE(WaitForForeground(homeWindow_));
}

INSTANTIATE_TEST_SUITE_P(Apps, PhoneApp, testing::ValuesIn(kApps),
                         [](const testing::TestParamInfo<AppCase> &info) {
                             return std::string(info.param.name);
                         });

}  // namespace
