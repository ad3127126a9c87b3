// The settings program in the phone, driven by keys: F1 and F2 are the soft
// keys, Esc is Back, arrows and Enter choose in a pop-up.
#include "control_channel.h"
#include "foreign_messages.h"
#include "keys.h"
#include "phone_constants.h"
#include "quelset_driver.h"
#include "scenario_test.h"
#include "screen.h"
#include "settings_key.h"
#include "settings_resource.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace harness;
using namespace quelset_test;

namespace {

const wchar_t kPasswordTitle[] = L"Пароль";
const wchar_t kAboutTitle[] = L"О программе";
const wchar_t kWrongCaption[] = L"Неправильно";

class QuelsetScenario : public ScenarioTest {
protected:
    // Starts Quelset and waits for its dialog in front.
    HWND StartSettings(Process &quelset) {
        EXPECT_TRUE(quelset.Start(kSettingsExe));
        HWND dialog = WaitForSettingsDialog(quelset);
        EXPECT_NE(dialog, nullptr) << "no settings dialog";
        return dialog;
    }
    // Starts the agent and waits until it has published its prompt in the
    // shared cell, where the settings program looks for it, and is done starting.
    void StartAgent() {
        static AgentWindowCell *cell = OpenAgentWindowCell();  // held, as Quelset holds it
        ASSERT_TRUE(agent.Start(kAgentExe));
        ASSERT_TRUE(
            WaitUntil([&] { return ProcessOf(AgentWindowOf(cell)) == agent.Id(); }, kStartMs))
            << "the agent published no prompt";
        ASSERT_TRUE(agent.WaitStarted(kScreenMs));
    }
    // The agent running, then Quelset started and showing it as running.
    HWND StartWithAgent(Process &quelset) {
        StartAgent();
        if (HasFatalFailure()) return nullptr;
        HWND dialog = StartSettings(quelset);
        if (dialog) {
            EXPECT_TRUE(WaitForItemText(dialog, IDC_SETTINGS_STATUS, L"Квеллор запущен!"));
        }
        return dialog;
    }
    // Presses "Выход" and expects the program to end with 0.
    void Exit(Process &quelset) {
        PressKey(VK_TSOFT1);
        DWORD code = 99;
        EXPECT_TRUE(quelset.WaitExit(kScreenMs, &code)) << "\"Выход\" did not end the program";
        EXPECT_EQ(code, 0u);
    }
    // Opens the "Настройки" pop-up.
    HWND OpenMenu(const Process &quelset) {
        HWND popup = OpenSettingsMenu(quelset.Id());
        EXPECT_NE(popup, nullptr) << "F2 showed no pop-up";
        return popup;
    }
    // "Настройки" > "Настроить Пароль": the change-password dialog, or 0.
    HWND OpenPasswordDialog(const Process &quelset) {
        HWND popup = OpenMenu(quelset);
        if (!popup) return nullptr;
        ChooseRow(kRowSetPassword);
        // Its fields are visible only once the dialog is on the screen.
        return WaitForDialog(quelset.Id(), kPasswordTitle);
    }
    // The registry holds these settings.
    static void ExpectStored(DWORD flags, const wchar_t *password) {
        DWORD storedFlags = 0;
        std::wstring storedPassword;
        EXPECT_TRUE(ReadLockOption(&storedFlags));
        EXPECT_EQ(storedFlags, flags);
        EXPECT_TRUE(ReadPassword(&storedPassword));
        EXPECT_EQ(storedPassword, password);
    }
    // The dialog in front has its caption drawn active: the screen shows the
    // active caption colour at the caption's right end, past the title.
    static bool CaptionDrawnActive(HWND dialog) {
        RECT rect = {};
        GetWindowRect(dialog, &rect);
        const COLORREF active = GetSysColor(COLOR_ACTIVECAPTION);
        const COLORREF gradient = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
        return WaitUntil(
            [&] {
                const DWORD rgb = ScreenPixels().At(rect.right - 6, rect.top + 4);  // 0xRRGGBB
                const COLORREF seen = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
                return seen == active || seen == gradient;
            },
            kScreenMs);
    }
    // The agent's prompt, when it is shown over a locked application.
    HWND VisiblePrompt() { return ShownWindowOfProcess(agent.Id(), kDialogClass); }
    // Opens the SMS inbox; true when the agent hid it behind its prompt.
    bool InboxGetsLocked(Process &inbox, DWORD timeoutMs) {
        EXPECT_TRUE(inbox.Start(phone::kMessagesExe));
        HWND window = WaitForWindow(phone::kInboxClass, nullptr, kScreenMs);
        EXPECT_NE(window, nullptr) << "no SMS inbox";
        return WaitUntil([&] { return VisiblePrompt() && !IsWindowVisible(window); }, timeoutMs);
    }

    OthersBackPresses agentBacks;
    Process agent;
};

TEST_F(QuelsetScenario, WithoutAgentShowsStoppedAndGraysStop) {
    Process quelset;
    HWND dialog = StartSettings(quelset);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_SETTINGS_STATUS), L"Квеллор остановлен!");
    EXPECT_TRUE(CaptionDrawnActive(dialog)) << "the dialog in front is drawn inactive";

    HWND popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(MenuRowGrayed(popup, 1)) << "\"Отключить\" must be grayed without an agent";
    PressKey(VK_TBACK);
    EXPECT_TRUE(WaitForNoPopupMenu(quelset.Id()));

    // Back does nothing in the settings dialog.
    PressKey(VK_TBACK);
    Sleep(kBusyMarginMs);  // nothing to see until then
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(quelset.Running());

    // A first start without a key: "Выход" stores the defaults.
    Exit(quelset);
    ExpectStored(kDefaultLockFlags, kDefaultPassword);
}

// A WM_DESTROY or WM_NCDESTROY that another program posts to the agent's
// prompt ends nothing: the agent still locks, still answers the settings
// program, and "Отключить" still stops it.
TEST_F(QuelsetScenario, StopsARunningAgentThroughTheMenu) {
    StartAgent();
    HWND prompt = AnyWindowOfProcess(agent.Id(), kDialogClass);
    ASSERT_NE(prompt, nullptr);
    for (UINT message : {WM_DESTROY, WM_NCDESTROY}) PostMessageW(prompt, message, 0, 0);
    Process inbox;
    ASSERT_TRUE(InboxGetsLocked(inbox, kScreenMs)) << "the agent stopped locking";
    // The agent presses Back a moment after its prompt shows.
    EXPECT_TRUE(agentBacks.WaitNext(kBackPressWithinMs));
    TypeDigits(kDefaultPassword);
    PressKey(VK_TSOFT1);
    EXPECT_TRUE(WaitUntil([&] { return !VisiblePrompt(); }, kScreenMs))
        << "the prompt took no answer";

    Process quelset;
    HWND dialog = StartSettings(quelset);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitForItemText(dialog, IDC_SETTINGS_STATUS, L"Квеллор запущен!"));

    HWND popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(MenuRowGrayed(popup, 1)) << "\"Отключить\" must be enabled with an agent";
    ChooseRow(kRowStopAgent);
    DWORD code = 99;
    EXPECT_TRUE(agent.WaitExit(kScreenMs, &code)) << "\"Отключить\" did not stop the agent";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitForItemText(dialog, IDC_SETTINGS_STATUS, L"Квеллор остановлен!"));

    popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(MenuRowGrayed(popup, 1)) << "\"Отключить\" must be grayed once stopped";
    PressKey(VK_TBACK);
    EXPECT_TRUE(WaitForNoPopupMenu(quelset.Id()));
    Exit(quelset);
}

TEST_F(QuelsetScenario, CheckingSmsAndExitMakesTheAgentLockTheInbox) {
    ASSERT_TRUE(PutSettings(0, kDefaultPassword));
    Process quelset;
    HWND dialog = StartWithAgent(quelset);
    ASSERT_NE(dialog, nullptr);

    // Contacts, Calendar, then the SMS box: third on the screen.
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil(
        [&] { return SendMessageW(GetDlgItem(dialog, IDC_SETTINGS_SMS), BM_GETCHECK, 0, 0) != 0; },
        kScreenMs));
    Exit(quelset);
    ExpectStored(LOCK_SMS, kDefaultPassword);

    Process inbox;
    EXPECT_TRUE(InboxGetsLocked(inbox, kScreenMs)) << "the agent did not lock the SMS inbox";
}

TEST_F(QuelsetScenario, ClearingEveryBoxLocksNothingAndKeepsHigherBits) {
    ASSERT_TRUE(PutSettings(31, kDefaultPassword));
    Process quelset;
    HWND dialog = StartWithAgent(quelset);
    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 4; ++i) {
        PressKey(VK_SPACE);
        PressKey(VK_DOWN);
    }
    Exit(quelset);

    DWORD flags = 0;
    EXPECT_TRUE(ReadLockOption(&flags));
    EXPECT_EQ(flags, 16u) << "the boxes are cleared, bit 16 stays";

    Process inbox;
    EXPECT_FALSE(InboxGetsLocked(inbox, kLockWithinMs)) << "nothing is locked any more";
}

TEST_F(QuelsetScenario, ChangedPasswordIsTheOneTheAgentAccepts) {
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, kDefaultPassword));
    Process quelset;
    HWND dialog = StartWithAgent(quelset);
    ASSERT_NE(dialog, nullptr);

    HWND passwordDialog = OpenPasswordDialog(quelset);
    ASSERT_NE(passwordDialog, nullptr) << "no change-password dialog";
    EXPECT_TRUE(WaitForForeground(passwordDialog));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(passwordDialog, IDC_PASSWORD_OLD)))
        << "a password is set, so it is asked for";

    auto fill = [&](const wchar_t *old, const wchar_t *typedNew, const wchar_t *repeat) {
        const std::pair<int, const wchar_t *> fields[] = {
            {IDC_PASSWORD_OLD, old}, {IDC_PASSWORD_NEW, typedNew}, {IDC_PASSWORD_REPEAT, repeat}};
        for (const auto &field : fields) {
            HWND edit = GetDlgItem(passwordDialog, field.first);
            EXPECT_TRUE(MoveFocusTo(edit));
            TypeDigits(field.second);
            EXPECT_TRUE(WaitUntil(
                [&] { return ItemText(passwordDialog, field.first) == field.second; }, kScreenMs))
                << "typed into the wrong field";
        }
        PressKey(VK_TSOFT1);
    };
    auto fieldsEmpty = [&] {
        return ItemText(passwordDialog, IDC_PASSWORD_OLD).empty() &&
               ItemText(passwordDialog, IDC_PASSWORD_NEW).empty() &&
               ItemText(passwordDialog, IDC_PASSWORD_REPEAT).empty();
    };
    std::wstring text;

    // Back erases a character in the field and leaves the dialog open.
    EXPECT_TRUE(MoveFocusTo(GetDlgItem(passwordDialog, IDC_PASSWORD_OLD)));
    TypeDigits(L"12");
    PressKey(VK_TBACK);
    EXPECT_TRUE(
        WaitUntil([&] { return ItemText(passwordDialog, IDC_PASSWORD_OLD) == L"1"; }, kScreenMs));
    EXPECT_TRUE(IsWindowVisible(passwordDialog));
    PressKey(VK_TBACK);

    // Each refusal says why in a box and empties the fields.
    const struct {
        const wchar_t *old, *typedNew, *repeat, *explained;
    } refusals[] = {{L"1111", L"1234", L"9999", L"Пароль ошибочный!"},
                    {kDefaultPassword, L"1234", L"9999", L"Пароль не соответствует!"}};
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(testing::PrintToString(refusal.explained));
        fill(refusal.old, refusal.typedNew, refusal.repeat);
        HWND box = WaitForMessageBox(quelset.Id(), kWrongCaption, &text);
        ASSERT_NE(box, nullptr) << "no box for the refusal";
        EXPECT_EQ(text, refusal.explained);
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitGone(box));
        EXPECT_TRUE(fieldsEmpty());
        EXPECT_TRUE(WaitForForeground(passwordDialog));
    }
    fill(kDefaultPassword, L"1234", L"1234");
    EXPECT_TRUE(WaitGone(passwordDialog));
    std::wstring stored;
    EXPECT_TRUE(WaitUntil([&] { return ReadPassword(&stored) && stored == L"1234"; }, kScreenMs))
        << "stored: " << testing::PrintToString(stored);
    EXPECT_TRUE(WaitForForeground(dialog));

    // The agent reloaded: the old password is wrong now, the new one unlocks.
    Process inbox;
    ASSERT_TRUE(InboxGetsLocked(inbox, kScreenMs)) << "the agent did not lock the SMS inbox";
    HWND prompt = VisiblePrompt();
    EXPECT_TRUE(WaitForForeground(prompt));
    // A moment after showing its prompt the agent presses Back for the hidden
    // application; digits typed before that would lose one to it.
    EXPECT_TRUE(agentBacks.WaitNext(kBackPressWithinMs));
    TypeDigits(kDefaultPassword);
    PressKey(VK_TSOFT1);
    HWND box = WaitForMessageBox(agent.Id(), L"Предупреждение", &text);
    ASSERT_NE(box, nullptr) << "the old password was not refused";
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(box));
    EXPECT_TRUE(WaitForForeground(prompt));
    TypeDigits(L"1234");
    PressKey(VK_TSOFT1);
    HWND inboxWindow = FindWindowW(phone::kInboxClass, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] { return inboxWindow && IsWindowVisible(inboxWindow) && !VisiblePrompt(); }, kScreenMs))
        << "the new password did not unlock";
}

TEST_F(QuelsetScenario, WithoutAPasswordNoneIsAskedAndAnEmptyOneIsKept) {
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, L""));
    Process quelset;
    HWND dialog = StartSettings(quelset);
    ASSERT_NE(dialog, nullptr);
    HWND passwordDialog = OpenPasswordDialog(quelset);
    ASSERT_NE(passwordDialog, nullptr) << "no change-password dialog";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(passwordDialog, IDC_PASSWORD_OLD)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(passwordDialog, IDC_PASSWORD_OLD_LABEL)));
    EXPECT_TRUE(WaitForForeground(passwordDialog));
    PressKey(VK_TSOFT1);  // two empty fields
    EXPECT_TRUE(WaitGone(passwordDialog));
    std::wstring stored = L"unread";
    EXPECT_TRUE(ReadPassword(&stored));
    EXPECT_EQ(stored, L"");
    EXPECT_TRUE(WaitForForeground(dialog));
    Exit(quelset);
}

TEST_F(QuelsetScenario, SecondStartBringsTheFirstForwardAndShowsNothing) {
    Process first;
    HWND dialog = StartSettings(first);
    ASSERT_NE(dialog, nullptr);

    Process second;
    ASSERT_TRUE(second.Start(kSettingsExe));
    DWORD code = 99;
    EXPECT_TRUE(second.WaitExit(kScreenMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(WaitForForeground(dialog));

    // Hidden behind an application, it still comes back to the front.
    Process contacts;
    ASSERT_TRUE(contacts.Start(phone::kContactsExe));
    ASSERT_TRUE(
        WaitUntil([&] { return ProcessOf(GetForegroundWindow()) == contacts.Id(); }, kScreenMs))
        << "Contacts did not come to the front";
    // Its start done: a program still starting may take the front back.
    ASSERT_TRUE(contacts.WaitStarted(kScreenMs));
    Process third;
    ASSERT_TRUE(third.Start(kSettingsExe));
    EXPECT_TRUE(third.WaitExit(kScreenMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitForForeground(dialog)) << "the running copy did not come forward";
    EXPECT_TRUE(IsWindowVisible(dialog));

    // Left with its change-password dialog up: that dialog has the keys again.
    HWND passwordDialog = OpenPasswordDialog(first);
    ASSERT_NE(passwordDialog, nullptr);
    HWND contactsWindow = ShownWindowOfProcess(contacts.Id(), phone::kContactsClassCe5);
    ASSERT_NE(contactsWindow, nullptr);
    SetForegroundWindow(contactsWindow);
    ASSERT_TRUE(WaitForForeground(contactsWindow));
    Process fourth;
    ASSERT_TRUE(fourth.Start(kSettingsExe));
    EXPECT_TRUE(fourth.WaitExit(kScreenMs, &code));
    EXPECT_TRUE(WaitForForeground(passwordDialog)) << "the keys went to the dialog under it";
    PressKey(VK_TSOFT2);
    EXPECT_TRUE(WaitGone(passwordDialog));
    EXPECT_TRUE(WaitForForeground(dialog));
    Exit(first);
}

// A hostile neighbour posts thousands of seeded random messages to the
// settings dialog and to whichever dialog or box it has open. "Выход" (the
// command, or F1 aimed at the settings dialog) is left out of the stream: it
// ends the program on purpose. No agent runs, so "Отключить" stops nothing.
TEST_F(QuelsetScenario, ForeignMessagesOpenNothingTwiceAndLoseNothing) {
    const uint32_t kSeed = 20240608;
    const int kMessages = 3000;
    const wchar_t *const kKinds[] = {kPasswordTitle, kAboutTitle, kWrongCaption};
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, kDefaultPassword));
    Process quelset;
    HWND dialog = StartSettings(quelset);
    ASSERT_NE(dialog, nullptr);
    MessageFuzzer fuzzer(kSeed, {IDM_DONE, IDM_CANCEL, IDM_ABOUT, IDM_SETTINGS_MENU,
                                 IDM_SET_PASSWORD, IDM_STOP_AGENT, IDOK, IDCANCEL});
    auto allowed = [&](HWND target, const ForeignMessage &m) {
        if (m.message == WM_COMMAND && LOWORD(m.wParam) == IDM_EXIT) return false;
        return !(target == dialog && m.message == WM_KEYDOWN && m.wParam == VK_TSOFT1);
    };
    int most[3] = {};
    FuzzFigures figures = PostForeignMessages(quelset.Id(), fuzzer, kMessages, allowed, [&] {
        for (int kind = 0; kind < 3; ++kind)
            most[kind] = std::max(most[kind], CountDialogsTitled(quelset.Id(), kKinds[kind]));
    });
    std::printf(
        "settings: %d foreign messages in %.1f s (seed %u); most open at once: "
        "%d change-password, %d About, %d boxes\n",
        figures.posted, figures.ms / 1000.0, kSeed, most[0], most[1], most[2]);
    ASSERT_TRUE(quelset.Running());
    EXPECT_EQ(figures.posted, kMessages);
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_LE(most[kind], 1) << testing::PrintToString(kKinds[kind]);

    // Whatever is open closes with its own key, the top one first: a pop-up
    // with Back, a box with OK, the About box with "Готово", the password
    // dialog with "Отмена".
    Sleep(kBusyMarginMs);  // what is still queued takes effect within the margin
    if (OpenPopupMenu(quelset.Id())) {
        PressKey(VK_TBACK);
        EXPECT_TRUE(WaitForNoPopupMenu(quelset.Id()));
    }
    const struct {
        const wchar_t *title;
        const char *what;
        BYTE key;
    } closers[] = {{kWrongCaption, "box", VK_RETURN},
                   {kAboutTitle, "About", VK_TSOFT1},
                   {kPasswordTitle, "change-password", VK_TSOFT2}};
    for (const auto &closer : closers) {
        HWND open = AnyWindowOfProcess(quelset.Id(), kDialogClass, closer.title);
        if (!open) continue;
        std::printf("open at the end: %s\n", closer.what);
        SCOPED_TRACE(testing::PrintToString(closer.title));
        EXPECT_TRUE(IsWindowVisible(open)) << "open but not on the screen";
        EXPECT_TRUE(WaitForForeground(open)) << "open but not in front";
        PressKey(closer.key);
        EXPECT_TRUE(WaitGone(open)) << "did not close";
    }
    EXPECT_TRUE(WaitForForeground(dialog));
    ExpectStored(kDefaultLockFlags, kDefaultPassword);

    // "Выход" reaching the settings dialog while its password dialog is up
    // changes nothing; the usual road goes on from there.
    HWND passwordDialog = OpenPasswordDialog(quelset);
    ASSERT_NE(passwordDialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDM_EXIT, 0);
    Sleep(kBusyMarginMs);  // nothing to see until then
    EXPECT_TRUE(quelset.Running());
    EXPECT_TRUE(IsWindowVisible(passwordDialog));
    EXPECT_TRUE(WaitForForeground(passwordDialog));
    PressKey(VK_TSOFT2);
    EXPECT_TRUE(WaitGone(passwordDialog));
    EXPECT_TRUE(WaitForForeground(dialog));
    HWND popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    ChooseRow(kRowAbout);
    HWND about = WaitForDialog(quelset.Id(), kAboutTitle);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(WaitForForeground(about));
    PressKey(VK_TSOFT1);
    EXPECT_TRUE(WaitGone(about));
    EXPECT_TRUE(WaitForForeground(dialog));
    Exit(quelset);
    std::wstring password;
    EXPECT_TRUE(ReadPassword(&password));
    EXPECT_EQ(password, kDefaultPassword);
}

}  // namespace
