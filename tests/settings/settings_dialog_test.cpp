// The real settings dialog from the program's resources, in this process:
// which box stands for which bit, what "Выход" writes, and how the
// "Отключить" entry follows the agent's answer.
#include "settings_dialog.h"
#include "control_channel.h"
#include "in_process_dialogs.h"
#include "scenario_test.h"
#include "settings_key.h"
#include "settings_resource.h"
#include "waits.h"
#include "window_search.h"

#include <gtest/gtest.h>

using namespace harness;

namespace {

DWORD StoredLockOption() {
    DWORD flags = 0xDEADBEEF;
    EXPECT_TRUE(ReadLockOption(&flags));
    return flags;
}

class SettingsDialogRun : public SettingsKeyTest {
protected:
    void SetUp() override {
        SettingsKeyTest::SetUp();
        UseProgramResources();
    }
    void TearDown() override {
        SettingsKeyTest::TearDown();
        DropQuitMessages();
    }
    void Run(SettingsDialog &object, std::function<void()> script) {
        PlayInDialog(L"Настройки", &dialog, script, [&object] { RunSettingsDialog(object); });
        DropQuitMessages();
    }
    bool Checked(int id) const {
        return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void Press(WORD command) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

    HWND dialog = nullptr;
};

}  // namespace

TEST_F(SettingsDialogRun, BoxesShowTheirBitsAndExitWritesThemBackKeepingTheRest) {
    // Boxes on the screen from top to bottom: contacts 1, calendar 2, SMS 8, calls 4.
    const DWORD loaded[] = {0,
                            LOCK_CONTACTS,
                            LOCK_CALENDAR,
                            LOCK_CALL_HISTORY,
                            LOCK_SMS,
                            15,
                            31,
                            0x1F5,
                            0x80000000u | LOCK_CALENDAR | LOCK_SMS};
    for (DWORD flags : loaded) {
        SCOPED_TRACE(testing::Message() << "LockOption " << std::hex << flags);
        ASSERT_TRUE(PutSettings(flags, kDefaultPassword));
        SettingsDialog object;
        bool shown[4] = {};
        bool exited = false;
        Run(object, [&] {
            shown[0] = Checked(IDC_SETTINGS_CONTACTS);
            shown[1] = Checked(IDC_SETTINGS_CALENDAR);
            shown[2] = Checked(IDC_SETTINGS_CALL_HISTORY);
            shown[3] = Checked(IDC_SETTINGS_SMS);
            // Turn every box over, then leave.
            const int boxes[] = {IDC_SETTINGS_CONTACTS, IDC_SETTINGS_CALENDAR, IDC_SETTINGS_SMS,
                                 IDC_SETTINGS_CALL_HISTORY};
            for (int id : boxes) SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
            Press(IDM_EXIT);
            exited = !IsWindow(dialog);
        });
        EXPECT_EQ(shown[0], (flags & 1) != 0);
        EXPECT_EQ(shown[1], (flags & 2) != 0);
        EXPECT_EQ(shown[2], (flags & 4) != 0);
        EXPECT_EQ(shown[3], (flags & 8) != 0);
        EXPECT_TRUE(exited);
        EXPECT_EQ(StoredLockOption(), flags ^ 15u);
    }
}

namespace {

// Stands in for the agent's prompt window: counts commands and remembers
// whom to answer; the test answers when it chooses.
struct FakeAgent {
    HWND window = nullptr;
    HWND replyTo = nullptr;
    int queries = 0, reloads = 0, stops = 0;
};
FakeAgent *g_fakeAgent;

LRESULT CALLBACK FakeAgentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MSG_CONTROL && g_fakeAgent) {
        if (wParam == CMD_QUERY) {
            ++g_fakeAgent->queries;
            g_fakeAgent->replyTo = reinterpret_cast<HWND>(lParam);
        }
        if (wParam == CMD_RELOAD) ++g_fakeAgent->reloads;
        if (wParam == CMD_STOP) ++g_fakeAgent->stops;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

TEST_F(SettingsDialogRun, StopIsOfferedOnlyAfterTheAgentAnswersAndUntilItIsStopped) {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = FakeAgentProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"FakeQuellorAgent";
    RegisterClassW(&cls);
    FakeAgent agent;
    g_fakeAgent = &agent;
    agent.window = CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 cls.hInstance, nullptr);
    ASSERT_NE(agent.window, nullptr);
    AgentWindowCell *cell = OpenAgentWindowCell();
    ASSERT_NE(cell, nullptr);
    PublishAgentWindow(cell, agent.window);
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, kDefaultPassword));

    HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_SETTINGS_BAR));
    ASSERT_NE(bar, nullptr);
    HMENU popup = GetSubMenu(bar, 1);
    auto stopGrayed = [&] {
        return (GetMenuState(popup, IDM_STOP_AGENT, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    auto openPopup = [&](WORD button) {
        SendMessageW(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup),
                     MAKELPARAM(button, 0));
    };

    SettingsDialog object;
    std::wstring statusBefore, statusRunning, statusStopped;
    bool grayedBeforeAnswer = false, grayedRunning = true, otherPopupTouched = false,
         grayedAfterStop = false;
    Run(object, [&] {
        statusBefore = ItemText(dialog, IDC_SETTINGS_STATUS);
        openPopup(IDM_SETTINGS_MENU);
        grayedBeforeAnswer = stopGrayed();
        // Whatever a control message carries, it counts as the agent's answer.
        PostMessageW(agent.replyTo, MSG_CONTROL, 7, 99);
        Flush();
        statusRunning = ItemText(dialog, IDC_SETTINGS_STATUS);
        openPopup(IDM_SETTINGS_MENU);
        grayedRunning = stopGrayed();
        // A pop-up of another button is left as it is.
        EnableMenuItem(popup, IDM_STOP_AGENT, MF_BYCOMMAND | MF_GRAYED);
        openPopup(IDM_EXIT);
        otherPopupTouched = !stopGrayed();
        Press(IDM_STOP_AGENT);
        statusStopped = ItemText(dialog, IDC_SETTINGS_STATUS);
        openPopup(IDM_SETTINGS_MENU);
        grayedAfterStop = stopGrayed();
        Press(IDM_EXIT);
        Flush();
    });
    WithdrawAgentWindow(cell, agent.window);
    DestroyWindow(agent.window);
    DestroyMenu(bar);
    g_fakeAgent = nullptr;

    EXPECT_EQ(statusBefore, L"Квеллор остановлен!");
    EXPECT_TRUE(grayedBeforeAnswer);
    EXPECT_EQ(statusRunning, L"Квеллор запущен!");
    EXPECT_FALSE(grayedRunning);
    EXPECT_FALSE(otherPopupTouched);
    EXPECT_EQ(statusStopped, L"Квеллор остановлен!");
    EXPECT_TRUE(grayedAfterStop);
    EXPECT_EQ(agent.queries, 1);
    EXPECT_EQ(agent.replyTo, dialog) << "the query names the dialog to answer";
    EXPECT_EQ(agent.stops, 1);
    EXPECT_EQ(agent.reloads, 1) << "\"Выход\" tells the agent to reload";
}
