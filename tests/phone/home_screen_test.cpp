// The home screen on a phone where only some programs are installed: it runs
// from a folder of its own into which each test copies what it needs.
#include "phone_screen.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

std::wstring Lower(std::wstring s) {
    for (auto &c : s) c = static_cast<wchar_t>(towlower(c));
    return s;
}

std::wstring ImagePathOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return L"";
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) path[0] = 0;
    CloseHandle(process);
    return path;
}

class HomeScreen : public scenario::ScenarioTest {
protected:
    void SetUp() override {
        scenario::KillProgramsNamed(phonetest::PhonePrograms());
        wchar_t temp[MAX_PATH];
        DWORD n = GetTempPathW(MAX_PATH, temp);
        ASSERT_TRUE(n > 0 && n < MAX_PATH);
        folder_ = std::wstring(temp) + L"quellor-bare-phone";
        CreateDirectoryW(folder_.c_str(), nullptr);
        RemoveInstalled();
    }
    void TearDown() override {
        scenario::ScenarioTest::TearDown();
        scenario::KillProgramsNamed(phonetest::PhonePrograms());
        RemoveInstalled();
        RemoveDirectoryW(folder_.c_str());
    }

    void Install(const wchar_t *exe, const wchar_t *as) {
        std::wstring target = folder_ + L"\\" + as;
        ASSERT_TRUE(CopyFileW(scenario::ProgramPath(exe).c_str(), target.c_str(), FALSE));
        installed_.push_back(target);
    }
    void RemoveInstalled() {
        for (const auto &file : installed_) DeleteFileW(file.c_str());
        installed_.clear();
    }
    HWND StartHome(const wchar_t *args = nullptr) {
        if (!home_.StartAt(folder_ + L"\\PhoneHome.exe", args)) return nullptr;
        return scenario::WaitForWindow(L"PhoneHome", nullptr, 10000);
    }

    std::wstring folder_;
    std::vector<std::wstring> installed_;
    scenario::Process home_;
};

TEST_F(HomeScreen, StartsTheAgentFromItsOwnFolderAtBoot) {
    Install(L"PhoneHome.exe", L"PhoneHome.exe");
    // A stand-in agent that shows itself: the calendar under the agent's name.
    Install(L"Calendar.exe", L"Quelwatch.exe");
    ASSERT_NE(StartHome(), nullptr);
    HWND agent = scenario::WaitForWindow(L"Calendar", nullptr, 10000);
    ASSERT_NE(agent, nullptr) << "Quelwatch.exe was not started";
    EXPECT_EQ(Lower(ImagePathOf(agent)), Lower(folder_ + L"\\Quelwatch.exe"));
}

TEST_F(HomeScreen, NoStartupLeavesTheAgentAlone) {
    Install(L"PhoneHome.exe", L"PhoneHome.exe");
    Install(L"Calendar.exe", L"Quelwatch.exe");
    HWND home = StartHome(L"/nostartup");
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(scenario::WaitForForeground(home));
    Sleep(1500);
    EXPECT_EQ(FindWindowW(L"Calendar", nullptr), nullptr);
}

TEST_F(HomeScreen, MissingProgramsAndBackChangeNothing) {
    Install(L"PhoneHome.exe", L"PhoneHome.exe");  // and nothing else: no agent, no apps
    HWND home = StartHome();
    ASSERT_NE(home, nullptr);
    ASSERT_TRUE(scenario::WaitForForeground(home));
    phonetest::ExpectFullScreenAboveBar(home);

    for (int row = 0; row < 5; ++row) {  // the four applications and the settings program
        SCOPED_TRACE(testing::Message() << "row " << row);
        phonetest::OpenRow(row);
        Sleep(400);
        EXPECT_EQ(GetForegroundWindow(), home);
        EXPECT_EQ(phonetest::CountTopLevel(L"#32770"), 0) << "a message box came up";
    }
    scenario::PressKey(VK_ESCAPE);  // Back on the home screen
    Sleep(300);
    EXPECT_EQ(GetForegroundWindow(), home);
    EXPECT_TRUE(home_.Running());
}

}  // namespace
