// The phone's keys on a desktop keyboard, pressed for real (SendInput) while
// the test's dialog is in the foreground: F1/F2 as soft keys, the pop-up menu
// driven by arrows and Enter, Esc as Back with and without the override, in a
// modal dialog and in a modeless one pumped with IsDialogMessage.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "keys.h"
#include "platform_shell.h"
#include "test_dialog.h"
#include "window_search.h"

namespace {

using harness::FocusOf;
using shelltest::DialogOptions;
using shelltest::Event;
using shelltest::TestDialog;

void Press(BYTE vk) {
    harness::PressKey(vk);
}
// Until this process has a pop-up menu open, or none.
bool WaitForPopupMenu(bool open) {
    const DWORD self = GetCurrentProcessId();
    return open ? harness::WaitForPopupMenu(self) != nullptr : harness::WaitForNoPopupMenu(self);
}

class Keys : public ::testing::TestWithParam<bool> {
protected:
    DialogOptions Options() const {
        DialogOptions o;
        o.modeless = GetParam();
        return o;
    }
};

TEST_P(Keys, SoftKeysSendTheirCommands) {
    TestDialog dlg;
    DialogOptions o = Options();
    o.barId = IDR_BAR_TWO_COMMANDS;
    int code = dlg.Run(o, [](TestDialog &d) {
        Press(VK_F1);
        d.WaitForCommand(IDC_LEFT);
        Press(VK_F2);
        d.WaitForCommand(IDC_RIGHT);
        // A bar off the screen takes no keys; shown again, it takes them again.
        ShowWindow(d.Bar(), SW_HIDE);
        Press(VK_F1);
        Press(VK_ESCAPE);
        d.WaitForCommand(IDCANCEL);
        ShowWindow(d.Bar(), SW_SHOWNOACTIVATE);
        Press(VK_F1);
        d.WaitFor(
            [](const std::vector<Event> &e) { return TestDialog::CountCommand(e, IDC_LEFT) == 2; });
        d.End(7);
    });
    EXPECT_EQ(7, code);
    auto events = dlg.Events();
    EXPECT_EQ(2, TestDialog::CountCommand(events, IDC_LEFT));
    EXPECT_EQ(1, TestDialog::CountCommand(events, IDC_RIGHT));
    EXPECT_EQ(1, TestDialog::CountCommand(events, IDCANCEL));
    EXPECT_EQ(0, TestDialog::Count(events, WM_HOTKEY));
}

// A bar set-up, the keys pressed, the command awaited, and the commands that
// arrived: the left and right soft keys' and Cancel.
struct BarCase {
    const char *what;
    UINT barId;
    bool overrideBack;
    std::vector<BYTE> keys;
    WORD until;
    int left, right, cancel;
};
const BarCase kBarCases[] = {
    {"one button: the right key does nothing",
     IDR_BAR_ONE_BUTTON,
     true,
     {VK_F2, VK_F1},
     IDC_LEFT,
     1,
     0,
     0},
    {"Back without the override is Cancel", IDR_BAR_POPUP, false, {VK_ESCAPE}, IDCANCEL, 0, 0, 1},
    {"no bar: the keys are the dialog's", 0, true, {VK_F1, VK_ESCAPE}, IDCANCEL, 0, 0, 1},
};

TEST_P(Keys, EachBarTakesOnlyItsKeys) {
    for (const BarCase &c : kBarCases) {
        SCOPED_TRACE(c.what);
        TestDialog dlg;
        DialogOptions o = Options();
        o.barId = c.barId;
        o.overrideBack = c.overrideBack;
        dlg.Run(o, [&](TestDialog &d) {
            for (BYTE vk : c.keys) Press(vk);
            d.WaitForCommand(c.until);
            d.End();
        });
        auto events = dlg.Events();
        EXPECT_EQ(c.left, TestDialog::CountCommand(events, IDC_LEFT));
        EXPECT_EQ(c.right, TestDialog::CountCommand(events, IDC_RIGHT));
        EXPECT_EQ(c.cancel, TestDialog::CountCommand(events, IDCANCEL));
        EXPECT_EQ(0, TestDialog::Count(events, WM_HOTKEY));
    }
}

TEST_P(Keys, PopupOpensAboveTheBarAndDeliversTheChosenItem) {
    TestDialog dlg;
    bool opened = false, closed = false;
    RECT menuRect = {}, barRect = {};
    dlg.Run(Options(), [&](TestDialog &d) {
        GetWindowRect(d.Bar(), &barRect);
        Press(VK_F2);
        opened = WaitForPopupMenu(true);
        if (HWND menu = harness::OpenPopupMenu(GetCurrentProcessId()))
            GetWindowRect(menu, &menuRect);
        Press(VK_DOWN);  // the first item is highlighted on opening; now the second
        Press(VK_RETURN);
        closed = WaitForPopupMenu(false);
        d.WaitForCommand(IDM_SECOND);
        d.End();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(closed);
    auto events = dlg.Events();
    ASSERT_EQ(1, TestDialog::Count(events, WM_INITMENUPOPUP));
    for (const Event &e : events) {
        if (e.msg != WM_INITMENUPOPUP) continue;
        EXPECT_EQ(IDC_RIGHT, LOWORD(e.lp)) << "the button's command in the low word";
        EXPECT_EQ(0, HIWORD(e.lp));
        EXPECT_EQ(static_cast<UINT>(IDM_FIRST), e.firstItem) << "wParam is the pop-up";
    }
    EXPECT_EQ(1, TestDialog::CountCommand(events, IDM_SECOND));
    EXPECT_EQ(0, TestDialog::CountCommand(events, IDC_RIGHT))
        << "a pop-up button sends no command itself";
    EXPECT_EQ(0, TestDialog::CountCommand(events, IDM_FIRST));
    EXPECT_LE(menuRect.bottom, barRect.top) << "the pop-up stands above the bar";
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), menuRect.right) << "on the right key's side";
}

TEST_P(Keys, EnterChoosesTheFirstItemAndEscClosesThePopup) {
    TestDialog dlg;
    dlg.Run(Options(), [](TestDialog &d) {
        Press(VK_F2);
        WaitForPopupMenu(true);
        Press(VK_ESCAPE);  // closes the pop-up: no Back notification, no command
        WaitForPopupMenu(false);
        Press(VK_F2);
        WaitForPopupMenu(true);
        Press(VK_RETURN);
        d.WaitForCommand(IDM_FIRST);
        d.End();
    });
    auto events = dlg.Events();
    EXPECT_EQ(2, TestDialog::Count(events, WM_INITMENUPOPUP));
    EXPECT_EQ(1, TestDialog::CountCommand(events, IDM_FIRST));
    EXPECT_EQ(0, TestDialog::Count(events, WM_HOTKEY));
    EXPECT_EQ(0, TestDialog::CountCommand(events, IDCANCEL));
}

TEST_P(Keys, OverriddenBackBecomesHotKeyNotCancel) {
    TestDialog dlg;
    int code = dlg.Run(Options(), [](TestDialog &d) {
        Press(VK_ESCAPE);
        d.WaitForHotKey(MOD_KEYUP);
        d.End(3);
    });
    EXPECT_EQ(3, code) << "ended by the script, not by Back";
    auto events = dlg.Events();
    EXPECT_EQ(0, TestDialog::CountCommand(events, IDCANCEL));
    ASSERT_EQ(2, TestDialog::Count(events, WM_HOTKEY));
    std::vector<LPARAM> lps;
    for (const Event &e : events)
        if (e.msg == WM_HOTKEY) lps.push_back(e.lp);
    EXPECT_EQ(MAKELPARAM(0, VK_TBACK), lps[0]) << "key-down";
    EXPECT_EQ(MAKELPARAM(MOD_KEYUP, VK_TBACK), lps[1]) << "key-up";
}

// Back through SHSendBackToFocusWindow erases one character per press and
// does nothing (closes nothing) once the field is empty.
TEST_P(Keys, BackErasesInTheFocusedFieldAndThenDoesNothing) {
    TestDialog dlg;
    std::wstring afterOne, afterAll;
    DialogOptions o = Options();
    o.backToFocus = true;
    int code = dlg.Run(o, [&](TestDialog &d) {
        SetWindowTextW(d.Edit(), L"123");
        SendMessageW(d.Edit(), EM_SETSEL, 3, 3);
        Press(VK_ESCAPE);
        d.Settle();
        afterOne = d.EditText();
        for (int i = 0; i < 4; ++i) Press(VK_ESCAPE);  // two to erase, two on empty
        d.WaitFor(
            [](const std::vector<Event> &e) { return TestDialog::Count(e, WM_HOTKEY) >= 10; });
        d.Settle();
        afterAll = d.EditText();
        d.End(5);
    });
    EXPECT_EQ(5, code);
    EXPECT_EQ(L"12", afterOne);
    EXPECT_EQ(L"", afterAll);
    EXPECT_EQ(0, TestDialog::CountCommand(dlg.Events(), IDCANCEL));
}

// The device's keybd_event with its "silent" bit: an ordinary key press.
TEST_P(Keys, SilentKeybdEventIsAKeyPress) {
    TestDialog dlg;
    dlg.Run(Options(), [](TestDialog &d) {
        keybd_event(VK_TBACK, 0, KEYEVENTF_SILENT, 0);
        keybd_event(VK_TBACK, 0, KEYEVENTF_KEYUP | KEYEVENTF_SILENT, 0);
        d.WaitForHotKey(MOD_KEYUP);
        d.End();
    });
    auto events = dlg.Events();
    EXPECT_EQ(2, TestDialog::Count(events, WM_HOTKEY));
    EXPECT_EQ(0, TestDialog::CountCommand(events, IDCANCEL));
}

TEST_P(Keys, NumbersModeTakesOnlyDigitsFromTheKeyboard) {
    TestDialog dlg;
    std::wstring typed;
    DialogOptions o = Options();
    o.inputMode = IM_NUMBERS;
    dlg.Run(o, [&](TestDialog &d) {
        for (BYTE vk : {BYTE('4'), BYTE('A'), BYTE('2'), BYTE(VK_SPACE), BYTE('7'), BYTE(VK_BACK)})
            Press(vk);
        d.Settle();
        typed = d.EditText();
        d.End();
    });
    EXPECT_EQ(L"42", typed);
}

// Up and Down move between the form's fields, as a phone's navigation keys
// do, instead of only moving the caret.
TEST_P(Keys, UpAndDownMoveBetweenFields) {
    TestDialog dlg;
    std::vector<int> focus;  // control id with the focus: at start, after Down, after Up
    auto focusedId = [](HWND dialog) { return GetDlgCtrlID(FocusOf(dialog)); };
    dlg.Run(Options(), [&](TestDialog &d) {
        SetFocus(nullptr);
        PostMessageW(d.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Edit()), TRUE);
        d.Settle();
        focus.push_back(focusedId(d.Dialog()));
        for (BYTE vk : {BYTE(VK_DOWN), BYTE(VK_UP)}) {
            Press(vk);
            d.Settle();
            focus.push_back(focusedId(d.Dialog()));
        }
        d.End();
    });
    EXPECT_EQ((std::vector<int>{IDC_TEST_EDIT, IDC_TEST_EDIT2, IDC_TEST_EDIT}), focus);
}

// The bar never takes the activation or the keyboard: asked to come to the
// foreground (as the lock prompt's show sequence does), it stays inactive and
// the owner keeps the focus in its field, so the digits typed next reach it.
TEST_P(Keys, ABarNeverTakesTheKeyboardFromItsOwner) {
    TestDialog dlg;
    bool ownerInFront = true;
    std::wstring typed;
    dlg.Run(Options(), [&](TestDialog &d) {
        PostMessageW(d.Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Edit()), TRUE);
        d.Settle();
        SetForegroundWindow(d.Bar());
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 500 && ownerInFront) {
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(d.Dialog(), nullptr), &info);
            ownerInFront = GetForegroundWindow() == d.Dialog() && info.hwndActive == d.Dialog() &&
                           info.hwndFocus == d.Edit();
            Sleep(5);
        }
        Press('7');
        d.Settle();
        typed = d.EditText();
        d.End();
    });
    EXPECT_TRUE(ownerInFront);
    EXPECT_EQ(L"7", typed);
}

INSTANTIATE_TEST_SUITE_P(ModalAndModeless, Keys, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("Modeless") : std::string("Modal");
                         });

}  // namespace
