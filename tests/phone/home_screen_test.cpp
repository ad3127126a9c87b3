// The home screen on a phone where only some programs are installed: it runs
// from a folder of its own into which each test copies what it needs.
#include "keys.h"
#include "phone_constants.h"
#include "phone_screen.h"
#include "programs.h"
#include "scenario_test.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <cwctype>

using namespace harness;

namespace {

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
    Process home_;
};

TEST_F(HomeScreen, StartsTheAgentFromItsOwnFolderAtBoot) {
    Install(phone::kHomeExe, phone::kHomeExe);
    // A stand-in agent that shows itself: the calendar under the agent's name.
    Install(phone::kCalendarExe, phone::kAgentExe);
    ASSERT_NE(StartHome(), nullptr);
    HWND agent = WaitForWindow(phone::kCalendarClass, nullptr, kStartMs);
    ASSERT_NE(agent, nullptr) << "Quelwatch.exe was not started";
    EXPECT_EQ(Lower(ImagePathOf(agent)), Lower(folder_ + L"\\" + phone::kAgentExe));
}

TEST_F(HomeScreen, NoStartupLeavesTheAgentAlone) {
    Install(phone::kHomeExe, phone::kHomeExe);
    Install(phone::kCalendarExe, phone::kAgentExe);
    HWND home = StartHome(phone::kNoStartupArg);
    ASSERT_NE(home, nullptr);
    // It starts the agent before it first waits for input.
    ASSERT_TRUE(home_.WaitStarted(kStartMs));
    EXPECT_FALSE(ProgramRuns(phone::kAgentExe));
}

TEST_F(HomeScreen, MissingProgramsAndBackChangeNothing) {
    Install(phone::kHomeExe, phone::kHomeExe);  // and nothing else: no agent, no apps
    HWND home = StartHome();
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(WaitForForeground(home));
    phonetest::ExpectFullScreenAboveBar(home);

    // The four applications and the settings program, then Back: a box or
    // another window would take the front from the first key that made it.
    for (int row = 0; row < 5; ++row) ChooseRow(row);
    PressKey(VK_TBACK);
    Sleep(kBusyMarginMs);  // nothing to see until then
    EXPECT_EQ(GetForegroundWindow(), home);
    EXPECT_EQ(CountTopLevel(kDialogClass), 0) << "a message box came up";
    EXPECT_TRUE(home_.Running());
}

}  // namespace
