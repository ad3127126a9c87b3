// The change-password checks: the verdict on what was typed, and the real
// dialog from the program's resources answering it.
#include "password_dialog.h"
#include "box_answerer.h"
#include "in_process_dialogs.h"
#include "settings_resource.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

struct VerdictCase {
    const wchar_t *current, *typedCurrent, *typedNew, *typedRepeat;
    PasswordVerdict verdict;
};

const VerdictCase kVerdicts[] = {
    {L"4826", L"4826", L"1234", L"1234", PASSWORD_ACCEPTED},
    {L"4826", L"1111", L"1234", L"1234", PASSWORD_WRONG_CURRENT},
    {L"4826", L"1111", L"1234", L"9999", PASSWORD_WRONG_CURRENT},  // wrong current wins
    {L"4826", L"4826", L"1234", L"9999", PASSWORD_MISMATCH},
    {L"4826", L"48260", L"1", L"1", PASSWORD_WRONG_CURRENT},  // whole string
    {L"4826", L"", L"", L"", PASSWORD_WRONG_CURRENT},
    {L"4826", L"4826", L"", L"", PASSWORD_ACCEPTED},  // empty new password
    {L"", L"", L"", L"", PASSWORD_ACCEPTED},
    {L"", L"anything", L"77", L"77", PASSWORD_ACCEPTED},  // not asked: ignored
    {L"", L"", L"77", L"7", PASSWORD_MISMATCH},
};

}  // namespace

TEST(JudgePasswordChange, ChecksCurrentFirstThenTheRepeat) {
    for (const VerdictCase &c : kVerdicts)
        EXPECT_EQ(JudgePasswordChange(c.current, c.typedCurrent, c.typedNew, c.typedRepeat),
                  c.verdict)
            << "current '" << c.current << "' typed '" << c.typedCurrent << "' '" << c.typedNew
            << "' '" << c.typedRepeat << "'";
}

namespace {

// The real dialog 121 run over no parent, driven from inside its modal loop.
class PasswordDialogRun : public ::testing::Test {
protected:
    void SetUp() override { UseProgramResources(); }

    void Start(const wchar_t *current) {
        wmemset(buffer, L'#', kPasswordBufferChars);
        wcscpy(buffer, current);
    }
    void Run(std::function<void()> script) {
        PlayInDialog(L"Пароль", &dialog, script,
                     [this] { result = RunPasswordDialog(nullptr, buffer); });
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void Fill(const wchar_t *old, const wchar_t *typedNew, const wchar_t *repeat) {
        SetWindowTextW(Item(IDC_PASSWORD_OLD), old);
        SetWindowTextW(Item(IDC_PASSWORD_NEW), typedNew);
        SetWindowTextW(Item(IDC_PASSWORD_REPEAT), repeat);
    }
    void Press(WORD command) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, 0), 0); }
    bool FieldsEmpty() const {
        return harness::WindowText(Item(IDC_PASSWORD_OLD)).empty() &&
               harness::WindowText(Item(IDC_PASSWORD_NEW)).empty() &&
               harness::WindowText(Item(IDC_PASSWORD_REPEAT)).empty();
    }
    // Types text into an edit as keys would, so its length limit applies.
    void Type(int id, const wchar_t *text) {
        for (const wchar_t *p = text; *p; ++p) SendMessageW(Item(id), WM_CHAR, *p, 0);
    }

    WCHAR buffer[kPasswordBufferChars];
    HWND dialog = nullptr;
    INT_PTR result = -1;
    harness::BoxAnswerer boxes;
};

}  // namespace

TEST_F(PasswordDialogRun, FailuresExplainThemselvesEmptyTheFieldsAndCancelKeepsThePassword) {
    Start(L"4826");
    bool emptyAfterWrong = false, emptyAfterMismatch = false, stillOpen = false;
    Run([&] {
        Fill(L"1111", L"1234", L"9999");
        Press(IDM_DONE);
        emptyAfterWrong = FieldsEmpty();
        Fill(L"4826", L"1234", L"9999");
        Press(IDOK);
        emptyAfterMismatch = FieldsEmpty();
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        Press(IDM_CANCEL);
    });
    EXPECT_EQ(result, PASSWORD_UNCHANGED);
    EXPECT_STREQ(buffer, L"4826");
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].text, L"Пароль ошибочный!");
    EXPECT_EQ(boxes.Seen()[0].caption, L"Неправильно");
    EXPECT_EQ(boxes.Seen()[1].text, L"Пароль не соответствует!");
    EXPECT_EQ(boxes.Seen()[1].caption, L"Неправильно");
    EXPECT_TRUE(emptyAfterWrong);
    EXPECT_TRUE(emptyAfterMismatch);
    EXPECT_TRUE(stillOpen);
}

TEST_F(PasswordDialogRun, TwentyCharactersAreTypedAndHandedBackWhole) {
    Start(L"4826");
    const wchar_t *typed = L"123456789012345678901";  // 21: the last cannot be typed
    std::wstring typedNew;
    Run([&] {
        SetWindowTextW(Item(IDC_PASSWORD_OLD), L"4826");
        Type(IDC_PASSWORD_NEW, typed);
        Type(IDC_PASSWORD_REPEAT, typed);
        typedNew = harness::WindowText(Item(IDC_PASSWORD_NEW));
        Press(IDM_DONE);
    });
    EXPECT_EQ(typedNew, L"12345678901234567890");
    EXPECT_EQ(result, PASSWORD_CHANGED);
    EXPECT_STREQ(buffer, L"12345678901234567890");
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(PasswordDialogRun, ACurrentPasswordLongerThanAFieldIsNeverConfirmed) {
    const wchar_t *longCurrent = L"1234567890123456789012345";
    Start(longCurrent);
    Run([&] {
        // Even placed whole into the field, only 20 characters are read back.
        Fill(longCurrent, L"1", L"1");
        Press(IDM_DONE);
        Press(IDM_CANCEL);
    });
    EXPECT_EQ(result, PASSWORD_UNCHANGED);
    EXPECT_STREQ(buffer, longCurrent);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, L"Пароль ошибочный!");
}

TEST_F(PasswordDialogRun, WithoutACurrentPasswordNoneIsAskedAndEmptyIsAccepted) {
    Start(L"");
    bool oldShown = true, oldLabelShown = true, newShown = false;
    Run([&] {
        oldShown = IsWindowVisible(Item(IDC_PASSWORD_OLD));
        oldLabelShown = IsWindowVisible(Item(IDC_PASSWORD_OLD_LABEL));
        newShown = IsWindowVisible(Item(IDC_PASSWORD_NEW));
        SetWindowTextW(Item(IDC_PASSWORD_OLD), L"ignored");
        Press(IDM_DONE);
    });
    EXPECT_FALSE(oldShown);
    EXPECT_FALSE(oldLabelShown);
    EXPECT_TRUE(newShown);
    EXPECT_EQ(result, PASSWORD_CHANGED);
    EXPECT_STREQ(buffer, L"");
    EXPECT_TRUE(boxes.Seen().empty());
}
