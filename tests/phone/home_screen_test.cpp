// The home screen on a phone where only some programs are installed: it runs
// from a folder of its own into which each test copies what it needs, and
// finds the shortcuts each test puts into the phone's folders.
#include "keys.h"
#include "phone_constants.h"
#include "phone_screen.h"
#include "phone_shortcuts.h"
#include "programs.h"
#include "scenario_test.h"
#include "shortcut_file.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <cwctype>

using namespace harness;

namespace {

// The four applications come first; the Start menu's programs follow.
const int kApplicationRows = 4;

std::wstring Lower(std::wstring s) {
    for (auto &c : s) c = static_cast<wchar_t>(towlower(c));
    return s;
}

std::wstring ImagePathOf(HWND hwnd) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(hwnd));
    if (!process) return L"";
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) path[0] = 0;
    CloseHandle(process);
    return path;
}

class HomeScreen : public ScenarioTest {
protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        wchar_t temp[MAX_PATH];
        DWORD n = GetTempPathW(MAX_PATH, temp);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        folder_ = std::wstring(temp) + L"quellor-bare-phone";
        CreateDirectoryW(folder_.c_str(), nullptr);
        RemoveInstalled();
    }
    void TearDown() override {
        ScenarioTest::TearDown();
        RemoveInstalled();
        RemoveDirectoryW(folder_.c_str());
    }

    void Install(const wchar_t *exe, const wchar_t *as) {
        std::wstring target = folder_ + L"\\" + as;
        ASSERT_TRUE(CopyFileW(ProgramPath(exe).c_str(), target.c_str(), FALSE));
        installed_.push_back(target);
    }
    void RemoveInstalled() {
        for (const auto &file : installed_) DeleteFileW(file.c_str());
        installed_.clear();
    }
    HWND StartHome(const wchar_t *args = nullptr) {
        if (!home_.StartAt(folder_ + L"\\" + phone::kHomeExe, args)) {
            ADD_FAILURE() << "CreateProcess failed, error " << GetLastError();
            return nullptr;
        }
        HWND home = WaitForWindow(phone::kHomeClass, nullptr, kStartMs);
        if (!home) ADD_FAILURE() << "no home screen; the program " << home_.Fate();
        return home;
    }

    std::wstring folder_;
    std::vector<std::wstring> installed_;
    phonetest::ShortcutFiles shortcuts_;
    Process home_;
};

TEST_F(HomeScreen, StartsItsStartUpShortcutsAtBootAndSkipsBrokenOnes) {
    Install(phone::kHomeExe, phone::kHomeExe);
    // A program that shows itself stands in for the agent; each broken
    // shortcut would start the contacts.
    const std::wstring agent = ProgramPath(phone::kCalendarExe);
    const std::wstring contacts = ProgramPath(phone::kContactsExe);
    const std::string line = "\"" + std::string(contacts.begin(), contacts.end()) + "\"";
    const std::string shortcuts[][2] = {
        {"Agent", phonetest::ShortcutTo(agent)},
        {"No count", line},
        {"Count one short", std::to_string(line.size() - 1) + "#" + line},
        {"Open quote", phonetest::Counted(line.substr(0, line.size() - 1))},
        {"Huge", phonetest::Counted(line + std::string(phone::kMaxShortcutBytes, ' '))},
    };
    for (const auto &shortcut : shortcuts) {
        const std::wstring name(shortcut[0].begin(), shortcut[0].end());
        ASSERT_TRUE(shortcuts_.Put(phone::kStartUpFolder, name, shortcut[1]));
    }
    ASSERT_NE(StartHome(), nullptr);
    HWND started = WaitForWindow(phone::kCalendarClass, nullptr, kStartMs);
    ASSERT_NE(started, nullptr) << "the start-up shortcut was not started";
    EXPECT_EQ(Lower(ImagePathOf(started)), Lower(agent));
    // It starts them before it first waits for input.
    ASSERT_TRUE(home_.WaitStarted(kStartMs));
    EXPECT_FALSE(ProgramRuns(phone::kContactsExe)) << "a broken shortcut was started";
    EXPECT_TRUE(home_.Running());
}

TEST_F(HomeScreen, NoStartupStartsNothing) {
    Install(phone::kHomeExe, phone::kHomeExe);
    ASSERT_TRUE(shortcuts_.Put(phone::kStartUpFolder, L"Agent",
                               phonetest::ShortcutTo(ProgramPath(phone::kCalendarExe))));
    HWND home = StartHome(phone::kNoStartupArg);
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(home_.WaitStarted(kStartMs));
    EXPECT_FALSE(ProgramRuns(phone::kCalendarExe));
}

TEST_F(HomeScreen, ListsTheStartMenuAfterTheApplicationsInNameOrder) {
    Install(phone::kHomeExe, phone::kHomeExe);
    ASSERT_TRUE(shortcuts_.Put(phone::kProgramsFolder, L"Бета",
                               phonetest::ShortcutTo(ProgramPath(phone::kCalendarExe))));
    ASSERT_TRUE(shortcuts_.Put(phone::kProgramsFolder, L"Альфа",
                               phonetest::ShortcutTo(ProgramPath(phone::kContactsExe))));
    ASSERT_TRUE(shortcuts_.Put(phone::kProgramsFolder, L"Без счёта", "\\Windows"));
    HWND home = StartHome(phone::kNoStartupArg);
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(WaitForForeground(home));
    HWND list = FindWindowExW(home, nullptr, L"LISTBOX", nullptr);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), kApplicationRows + 2);
    const struct {
        int row;
        const wchar_t *windowClass;
    } opens[] = {{kApplicationRows, phone::kContactsClassCe5},
                 {kApplicationRows + 1, phone::kCalendarClass}};
    for (const auto &open : opens) {
        ChooseRow(open.row);
        EXPECT_TRUE(WaitForegroundClass(open.windowClass, kStartMs)) << "row " << open.row;
        PressKey(VK_TBACK);
        ASSERT_TRUE(WaitForForeground(home));
    }
}

TEST_F(HomeScreen, MissingProgramsAndBackChangeNothing) {
    Install(phone::kHomeExe, phone::kHomeExe);  // and nothing else: no apps
    ASSERT_TRUE(shortcuts_.Put(phone::kProgramsFolder, L"Удалена",
                               phonetest::ShortcutTo(folder_ + L"\\Removed.exe")));
    HWND home = StartHome();
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(WaitForForeground(home));
    phonetest::ExpectFullScreenAboveBar(home);

    // The four applications and the program, then Back: a box or another
    // window would take the front from the first key that made it.
    for (int row = 0; row <= kApplicationRows; ++row) ChooseRow(row);
    PressKey(VK_TBACK);
    Sleep(kBusyMarginMs);  // nothing to see until then
    EXPECT_EQ(GetForegroundWindow(), home);
    EXPECT_EQ(CountTopLevel(kDialogClass), 0) << "a message box came up";
    EXPECT_TRUE(home_.Running());
}

}  // namespace
