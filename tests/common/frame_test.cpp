// Text helpers, the modal run and the soft-key frame, with the test's own
// string table, dialog template and soft-key bar.
#include "box_answerer.h"
#include "common_test_resource.h"
#include "module_instance.h"
#include "soft_key_dialog.h"
#include "ui_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Frame : public ::testing::Test {
protected:
    void SetUp() override { g_moduleInstance = GetModuleHandleW(nullptr); }
};

TEST_F(Frame, LoadResStringKeepsTheTextBeforeTheFirstBar) {
    WCHAR buffer[kResStringChars];
    LoadResString(buffer, IDS_PLAIN);
    EXPECT_STREQ(L"Предупреждение", buffer);
    LoadResString(buffer, IDS_BAR_AFTER_2);
    EXPECT_STREQ(L"Пр", buffer);
    LoadResString(buffer, IDS_TWO_BARS);
    EXPECT_STREQ(L"а", buffer);
    EXPECT_STREQ(L"б", buffer + 2) << "every bar is cut, not only the first";
}

TEST_F(Frame, LoadResStringCutsLongTextsAndEmptiesOnAMissingId) {
    WCHAR buffer[kResStringChars];
    LoadResString(buffer, IDS_LONG);
    EXPECT_EQ(255u, wcslen(buffer));

    wmemset(buffer, L'#', kResStringChars);  // what an unwritten buffer would show
    LoadResString(buffer, IDS_MISSING);
    EXPECT_STREQ(L"", buffer);
}

TEST_F(Frame, ShowMessageBoxShowsBothStringsOwnedByTheCaller) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    harness::BoxAnswerer boxes;
    int result = ShowMessageBox(owner, IDS_BAR_AFTER_2, IDS_PLAIN, MB_ICONINFORMATION);
    DestroyWindow(owner);
    const std::vector<harness::SeenBox> seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"Предупреждение", seen[0].caption);
    EXPECT_EQ(L"Пр", seen[0].text);
}

struct TestDialog : SoftKeyDialog {
    BOOL attached = FALSE;
    UINT barId = IDR_TEST_BAR;
    int inits = 0;
    TestDialog *nested = nullptr;  // run from inside this one's first command
    INT_PTR nestedCode = 0;
};
TestDialog *g_dialog;
DialogSlot g_testSlot;

INT_PTR CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *dialog = static_cast<TestDialog *>(g_testSlot.Find(hwnd, msg, lParam));
    if (!dialog) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        g_dialog = dialog;
        ++dialog->inits;
        dialog->attached = AttachSoftKeys(*dialog, hwnd, dialog->barId);
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (dialog->nested) {
                // A second run while this one is up, and a WM_INITDIALOG from outside.
                dialog->nestedCode = RunModal(IDD_TEST, hwnd, TestProc, g_testSlot, dialog->nested);
                SendMessageW(hwnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(dialog));
            }
            // The bar must still exist here and be gone once the dialog ends.
            if (dialog->menuBar && !IsWindow(dialog->menuBar)) return FALSE;
            dialog->EndWithCode(hwnd, 42);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

TEST_F(Frame, RunModalHandsOverTheObjectAndReturnsTheEndCode) {
    TestDialog object;
    EXPECT_EQ(42, RunModal(IDD_TEST, nullptr, TestProc, g_testSlot, &object));
    EXPECT_EQ(&object, g_dialog);
    ASSERT_TRUE(object.attached);
    ASSERT_NE(nullptr, object.menuBar);
    EXPECT_FALSE(IsWindow(object.menuBar)) << "EndWithCode destroys the bar";
    EXPECT_FALSE(IsWindow(object.dialog));
}

TEST_F(Frame, RunModalOfAMissingTemplateFails) {
    TestDialog object;
    EXPECT_EQ(-1, RunModal(IDD_MISSING, nullptr, TestProc, g_testSlot, &object));
}

TEST_F(Frame, ADialogWithoutItsBarStillRuns) {
    TestDialog object;
    object.barId = 4321;  // no such soft-key bar
    EXPECT_EQ(42, RunModal(IDD_TEST, nullptr, TestProc, g_testSlot, &object));
    EXPECT_FALSE(object.attached);
    EXPECT_EQ(nullptr, object.menuBar);
}

// A second run of a dialog that is up is refused before it has a window; the
// first keeps its object, ends as usual, and the dialog runs again after it.
TEST_F(Frame, ASecondRunOfADialogThatIsUpIsRefused) {
    TestDialog outer, inner;
    outer.nested = &inner;
    EXPECT_EQ(42, RunModal(IDD_TEST, nullptr, TestProc, g_testSlot, &outer));
    EXPECT_EQ(-1, outer.nestedCode);
    EXPECT_EQ(0, inner.inits);
    EXPECT_EQ(1, outer.inits) << "a WM_INITDIALOG from outside is not taken";
    TestDialog again;
    EXPECT_EQ(42, RunModal(IDD_TEST, nullptr, TestProc, g_testSlot, &again));
    EXPECT_EQ(&again, g_dialog);
}

}  // namespace
