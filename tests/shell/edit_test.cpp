// Edit fields on a phone: Back handed to the focused field erases, and the
// numbers input mode (EM_SETINPUTMODE, sent directly) keeps only digits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform_shell.h"
#include "test_dialog.h"
#include "window_search.h"

namespace {

using harness::WindowText;

struct PlainDialog {
    HWND dlg = shelltest::CreatePlainDialog();
    HWND edit = GetDlgItem(dlg, IDC_TEST_EDIT);
    PlainDialog() {
        // The system calls SHInitDialog (or SHCreateMenuBar) before it sends
        // EM_SETINPUTMODE; the shell hooks the thread there.
        SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
        SHInitDialog(&shidi);
    }
    ~PlainDialog() { DestroyWindow(dlg); }
};

TEST(BackToFocus, ErasesBeforeTheCaretOrTheSelection) {
    PlainDialog d;
    ASSERT_NE(nullptr, d.edit);
    const LPARAM down = MAKELPARAM(0, VK_TBACK), up = MAKELPARAM(MOD_KEYUP, VK_TBACK);
    struct Case {
        const char *what;
        const wchar_t *text;
        int selStart, selEnd;
        UINT msg;
        LPARAM lp;
        const wchar_t *expected;
    } cases[] = {
        {"caret at the end", L"1234", 4, 4, WM_HOTKEY, down, L"123"},
        {"caret in the middle", L"1234", 2, 2, WM_HOTKEY, down, L"134"},
        {"selection", L"1234", 1, 3, WM_HOTKEY, down, L"14"},
        {"whole text selected", L"1234", 0, 4, WM_HOTKEY, down, L""},
        {"caret at 0", L"1234", 0, 0, WM_HOTKEY, down, L"1234"},
        {"empty field", L"", 0, 0, WM_HOTKEY, down, L""},
        {"key-up does nothing", L"1234", 4, 4, WM_HOTKEY, up, L"1234"},
        {"another key", L"1234", 4, 4, WM_HOTKEY, MAKELPARAM(0, VK_F1), L"1234"},
        {"another message", L"1234", 4, 4, WM_KEYDOWN, down, L"1234"},
        {"Cyrillic", L"Пароль", 6, 6, WM_HOTKEY, down, L"Парол"},
    };
    for (const Case &c : cases) {
        SetWindowTextW(d.edit, c.text);
        SetFocus(d.edit);
        SendMessageW(d.edit, EM_SETSEL, c.selStart, c.selEnd);
        SHSendBackToFocusWindow(c.msg, 0, c.lp);
        EXPECT_EQ(std::wstring(c.expected), WindowText(d.edit)) << c.what;
        EXPECT_TRUE(IsWindow(d.dlg)) << c.what;
    }
}

TEST(BackToFocus, FocusOutsideAnEditIsLeftAlone) {
    PlainDialog d;
    SetWindowTextW(d.edit, L"99");
    HWND check = GetDlgItem(d.dlg, IDC_TEST_CHECK);
    SetFocus(check);
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_TBACK));
    EXPECT_EQ(L"99", WindowText(d.edit));
    EXPECT_EQ(L"Флажок", WindowText(check));

    SetWindowLongW(d.edit, GWL_STYLE, GetWindowLongW(d.edit, GWL_STYLE) | ES_READONLY);
    SendMessageW(d.edit, EM_SETREADONLY, TRUE, 0);
    SetFocus(d.edit);
    SendMessageW(d.edit, EM_SETSEL, 2, 2);
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_TBACK));
    EXPECT_EQ(L"99", WindowText(d.edit)) << "read-only field";
}

void Type(HWND edit, const wchar_t *chars) {
    for (const wchar_t *p = chars; *p; ++p) SendMessageW(edit, WM_CHAR, *p, 1);
}

TEST(InputMode, NumbersTakeDigitsOnlyAndOtherModesEverything) {
    PlainDialog d;
    SetFocus(d.edit);
    Type(d.edit, L"a1");
    EXPECT_EQ(L"a1", WindowText(d.edit)) << "a normal field before any mode";

    SetWindowTextW(d.edit, L"");
    SendMessageW(d.edit, EM_SETINPUTMODE, 0, IM_NUMBERS);
    Type(d.edit, L"a1b2 -.+*#ж3");
    EXPECT_EQ(L"123", WindowText(d.edit));
    Type(d.edit, L"\b");
    EXPECT_EQ(L"12", WindowText(d.edit)) << "backspace still works";
    SendMessageW(d.edit, EM_SETINPUTMODE, 0, IM_NUMBERS);  // again: still one subclass
    Type(d.edit, L"x9");
    EXPECT_EQ(L"129", WindowText(d.edit));

    for (LPARAM mode : {LPARAM(IM_SPELL), LPARAM(IM_AMBIG)}) {
        SetWindowTextW(d.edit, L"");
        SendMessageW(d.edit, EM_SETINPUTMODE, 0, mode);
        Type(d.edit, L"a1");
        EXPECT_EQ(L"a1", WindowText(d.edit)) << "mode " << mode;
    }
}

TEST(InputMode, OnlyEditsAreAffected) {
    PlainDialog d;
    HWND check = GetDlgItem(d.dlg, IDC_TEST_CHECK);
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(check, GWLP_WNDPROC));
    SendMessageW(check, EM_SETINPUTMODE, 0, IM_NUMBERS);
    EXPECT_EQ(before, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(check, GWLP_WNDPROC)));
    EXPECT_EQ(nullptr, GetPropW(check, L"MobileShell.InputMode"));
}

}  // namespace
