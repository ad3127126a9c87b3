// The change-password dialog: asks for the current password (only when one
// is set) and the new one twice, and hands the new one back through the
// caller's buffer. Saving it and telling the agent is the caller's work.
#ifndef QUELLOR_SETTINGS_PASSWORD_DIALOG_H
#define QUELLOR_SETTINGS_PASSWORD_DIALOG_H

#include "lock_settings.h"
#include "soft_key_dialog.h"

#include <windows.h>

// The three groups of the dialog, top to bottom: label then edit.
enum PasswordRow {
    ROW_OLD_LABEL,
    ROW_OLD_EDIT,
    ROW_NEW_LABEL,
    ROW_NEW_EDIT,
    ROW_REPEAT_LABEL,
    ROW_REPEAT_EDIT,
    PASSWORD_ROWS
};

// Where the controls go: all at x, width wide; rows from firstRow on are
// placed (the current-password group stays where it is when none is asked for).
struct PasswordLayout {
    INT x;
    INT width;
    INT firstRow;
    INT y[PASSWORD_ROWS];
    INT height[PASSWORD_ROWS];
};

// The block of groups centred vertically in a w x h client area at scale s;
// every edit keeps editHeight. A client lower than the block gets the block
// at its top rather than a negative offset.
PasswordLayout LayoutPassword(INT w, INT h, INT s, INT editHeight, bool hasCurrent);

enum PasswordVerdict {
    PASSWORD_ACCEPTED,
    PASSWORD_WRONG_CURRENT,  // checked first: wins over a mismatch
    PASSWORD_MISMATCH
};

// Judges what was typed. current is the stored password; an empty one is not
// asked for and typedCurrent is then ignored.
PasswordVerdict JudgePasswordChange(const WCHAR *current, const WCHAR *typedCurrent,
                                    const WCHAR *typedNew, const WCHAR *typedRepeat);

// At most this many characters are typed into each field.
const int kPasswordFieldChars = 20;

// End codes of the dialog.
const INT_PTR PASSWORD_CHANGED = 1;
const INT_PTR PASSWORD_UNCHANGED = 2;

class PasswordDialog : public SoftKeyDialog {
public:
    // buffer: kPasswordBufferChars WCHARs holding the current password; it
    // receives the new one only when the dialog ends with PASSWORD_CHANGED.
    explicit PasswordDialog(WCHAR *buffer)
        : passwordBuffer(buffer),
          oldEdit(NULL),
          newEdit(NULL),
          repeatEdit(NULL),
          oldLabel(NULL),
          newLabel(NULL),
          repeatLabel(NULL),
          boxOpen(false) {}

    WCHAR *passwordBuffer;
    HWND oldEdit;
    HWND newEdit;
    HWND repeatEdit;
    HWND oldLabel;
    HWND newLabel;
    HWND repeatLabel;
    bool boxOpen;  // one of its "Неправильно" boxes is up

    BOOL OnInitDialog(HWND window);
    BOOL OnSize(INT width, INT height);
    BOOL OnCommand(WORD id);

private:
    BOOL Accept();
    // The box with textId, then every field emptied.
    void Refuse(UINT textId);
    void ClearFields();
};

INT_PTR CALLBACK PasswordDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog over parent; PASSWORD_CHANGED with the new password in
// buffer, PASSWORD_UNCHANGED when cancelled (-1 when it cannot be shown).
INT_PTR RunPasswordDialog(HWND parent, WCHAR *buffer);

#endif
