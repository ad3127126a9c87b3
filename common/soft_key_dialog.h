// The frame every dialog of the system shares on a soft-key phone: a soft-key
// bar whose Back key reaches the dialog as WM_HOTKEY instead of closing it,
// full-screen sizing, and modal runs from the program's templates.
#ifndef QUELLOR_COMMON_SOFT_KEY_DIALOG_H
#define QUELLOR_COMMON_SOFT_KEY_DIALOG_H

#include "dialog_slot.h"

#include <windows.h>

// Base of the modal dialogs that end through their soft keys.
class SoftKeyDialog {
public:
    HWND menuBar;
    HWND dialog;

    SoftKeyDialog() : menuBar(NULL), dialog(NULL) {}
    // Destroys the bar first, then ends the modal dialog with code.
    virtual void EndWithCode(HWND dialogWindow, INT_PTR code);
    virtual ~SoftKeyDialog() {}
};

// Creates soft-key bar barId for dialog and overrides its Back key;
// 0 when the bar cannot be created (the dialog then works without it).
HWND CreateSoftKeyBar(HWND dialog, UINT barId);

// Records dialog in object and gives it bar barId; FALSE without a bar.
BOOL AttachSoftKeys(SoftKeyDialog &object, HWND dialog, UINT barId);

// Sizes dialog to the screen above its soft-key bar (delivers WM_SIZE).
void MakeFullScreen(HWND dialog);

// Back arrives as WM_HOTKEY: hand it to the focused field so it erases a
// character there. Other keys are left alone.
void ForwardBackKey(WPARAM wParam, LPARAM lParam);

// Dialog template dialogId from the program's resources; null when missing.
LPCDLGTEMPLATE LoadDialogTemplate(WORD dialogId);

// Runs template dialogId modally with object as the creation parameter,
// through procedure's slot; the end code, or -1 when the dialog cannot be
// created or a run of it is up already.
INT_PTR RunModal(WORD dialogId, HWND parent, DLGPROC procedure, DialogSlot &slot, void *object);

// For its lifetime, open tells that the dialog holding the flag has a modal
// dialog or message box of its own up. Commands still reach the dialog then:
// the nested loop dispatches what anyone posts to it, disabled or not. The
// dialog refuses those that would open another one or end the one below.
class ModalScope {
public:
    explicit ModalScope(bool &open) : open_(open), was_(open) { open_ = true; }
    ~ModalScope() { open_ = was_; }

private:
    ModalScope(const ModalScope &);
    ModalScope &operator=(const ModalScope &);
    bool &open_;
    bool was_;
};

#endif
