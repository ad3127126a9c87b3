#include "password_dialog.h"

#include "layout_scale.h"
#include "platform_shell.h"
#include "secret_wipe.h"
#include "settings_resource.h"
#include "ui_text.h"

#include <cwchar>

PasswordLayout LayoutPassword(INT w, INT h, INT s, INT editHeight, bool hasCurrent) {
    const INT label = Scaled(15, s);     // one line of label text
    const INT editRoom = Scaled(25, s);  // room reserved for one edit
    const INT groups = hasCurrent ? 3 : 2;
    const INT block = groups * (label + editRoom) + (groups == 3 ? 10 : 6);

    PasswordLayout layout = {};
    layout.x = 20;
    layout.width = w - 40;
    layout.firstRow = hasCurrent ? ROW_OLD_LABEL : ROW_NEW_LABEL;
    INT y = h < block ? 0 : (h - block) / 2;
    for (INT row = layout.firstRow; row < PASSWORD_ROWS; row += 2) {
        layout.y[row] = y;
        layout.height[row] = label;
        y += label + 2;
        layout.y[row + 1] = y;
        layout.height[row + 1] = editHeight;
        y += editRoom + 2;
    }
    return layout;
}

PasswordVerdict JudgePasswordChange(const WCHAR *current, const WCHAR *typedCurrent,
                                    const WCHAR *typedNew, const WCHAR *typedRepeat) {
    if (current[0] != L'\0' && wcscmp(current, typedCurrent) != 0) return PASSWORD_WRONG_CURRENT;
    if (wcscmp(typedNew, typedRepeat) != 0) return PASSWORD_MISMATCH;
    return PASSWORD_ACCEPTED;
}

namespace {

DialogSlot g_passwordSlot;

// Up to kPasswordFieldChars characters of an edit, always terminated; wiped
// when it goes.
struct FieldText {
    WCHAR text[kPasswordFieldChars + 1];
    explicit FieldText(HWND edit) {
        ZeroMemory(text, sizeof text);
        GetWindowTextW(edit, text, kPasswordFieldChars + 1);
    }
    ~FieldText() { WipeSecret(text, sizeof text); }
};

}  // namespace

BOOL PasswordDialog::OnInitDialog(HWND window) {
    AttachSoftKeys(*this, window, IDR_PASSWORD_BAR);
    oldEdit = GetDlgItem(window, IDC_PASSWORD_OLD);
    newEdit = GetDlgItem(window, IDC_PASSWORD_NEW);
    repeatEdit = GetDlgItem(window, IDC_PASSWORD_REPEAT);
    HWND edits[] = {oldEdit, newEdit, repeatEdit};
    const int editCount = sizeof edits / sizeof edits[0];
    for (int i = 0; i < editCount; ++i)
        SendMessageW(edits[i], EM_LIMITTEXT, kPasswordFieldChars, 0);
    // The keypad types digits, not letters.
    for (int i = 0; i < editCount; ++i) SendMessageW(edits[i], EM_SETINPUTMODE, 0, IM_NUMBERS);
    oldLabel = GetDlgItem(window, IDC_PASSWORD_OLD_LABEL);
    newLabel = GetDlgItem(window, IDC_PASSWORD_NEW_LABEL);
    repeatLabel = GetDlgItem(window, IDC_PASSWORD_REPEAT_LABEL);
    if (passwordBuffer[0] == L'\0') {
        // Nothing to confirm: the current-password group is not shown.
        ShowWindow(oldEdit, SW_HIDE);
        ShowWindow(oldLabel, SW_HIDE);
    }
    // Its full-screen sizing sends the first WM_SIZE: the layout is in place
    // before the dialog is seen.
    MakeFullScreen(window);
    return TRUE;
}

BOOL PasswordDialog::OnSize(INT width, INT height) {
    RECT rect = {};
    // The hidden current-password edit still has the height every edit gets.
    GetWindowRect(oldEdit, &rect);
    PasswordLayout layout = LayoutPassword(width, height, LayoutScale, rect.bottom - rect.top,
                                           passwordBuffer[0] != L'\0');
    HWND controls[PASSWORD_ROWS] = {oldLabel, oldEdit, newLabel, newEdit, repeatLabel, repeatEdit};
    for (INT row = layout.firstRow; row < PASSWORD_ROWS; ++row)
        MoveWindow(controls[row], layout.x, layout.y[row], layout.width, layout.height[row], TRUE);
    return TRUE;
}

void PasswordDialog::ClearFields() {
    SetWindowTextW(oldEdit, L"");
    SetWindowTextW(newEdit, L"");
    SetWindowTextW(repeatEdit, L"");
}

BOOL PasswordDialog::Accept() {
    // A current password longer than a field can never be typed, so it is
    // never confirmed: only the first kPasswordFieldChars characters are read.
    FieldText typedCurrent(oldEdit);
    FieldText typedNew(newEdit);
    FieldText typedRepeat(repeatEdit);
    switch (
        JudgePasswordChange(passwordBuffer, typedCurrent.text, typedNew.text, typedRepeat.text)) {
    case PASSWORD_WRONG_CURRENT:
        Refuse(IDS_WRONG_PASSWORD);
        return FALSE;
    case PASSWORD_MISMATCH:
        Refuse(IDS_PASSWORD_MISMATCH);
        return TRUE;
    case PASSWORD_ACCEPTED:
        break;
    }
    wcscpy(passwordBuffer, typedNew.text);
    EndWithCode(dialog, PASSWORD_CHANGED);
    return TRUE;
}

void PasswordDialog::Refuse(UINT textId) {
    {
        ModalScope box(boxOpen);
        ShowMessageBox(dialog, textId, IDS_WRONG_CAPTION, MB_ICONINFORMATION);
    }
    ClearFields();
}

BOOL PasswordDialog::OnCommand(WORD id) {
    const bool accept = id == IDM_DONE || id == IDOK;
    const bool cancel = id == IDM_CANCEL || id == IDCANCEL;
    if (!accept && !cancel) return FALSE;
    // While its box is up the user answers the box. A "Готово" or "Отмена"
    // that reaches the dialog meanwhile was posted by someone else: it would
    // stack a second box on the first, or end the dialog under it.
    if (boxOpen) return TRUE;
    if (accept) return Accept();
    EndWithCode(dialog, PASSWORD_UNCHANGED);
    return TRUE;
}

INT_PTR CALLBACK PasswordDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PasswordDialog *object =
        static_cast<PasswordDialog *>(g_passwordSlot.Find(window, message, lParam));
    if (!object) return FALSE;  // before WM_INITDIALOG, or not the running dialog
    switch (message) {
    case WM_INITDIALOG:
        return object->OnInitDialog(window);
    case WM_SIZE:
        return object->OnSize(LOWORD(lParam), HIWORD(lParam));
    case WM_COMMAND:
        return object->OnCommand(LOWORD(wParam));
    case WM_HOTKEY:
        // Back erases in the focused field and never closes the dialog.
        ForwardBackKey(wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR RunPasswordDialog(HWND parent, WCHAR *buffer) {
    PasswordDialog object(buffer);
    return RunModal(IDD_PASSWORD, parent, PasswordDialogProc, g_passwordSlot, &object);
}
