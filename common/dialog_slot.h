// The object a dialog procedure works on: one slot per procedure, in place of
// a bare static pointer that a second run of the same dialog would overwrite
// (and clear when it ends, leaving the first run deaf to every message).
#ifndef QUELLOR_COMMON_DIALOG_SLOT_H
#define QUELLOR_COMMON_DIALOG_SLOT_H

#include <windows.h>

// A run opens the slot with its object before the dialog is created and
// closes it once the dialog is gone; the dialog's WM_INITDIALOG ties it to
// that one window. While it is open a second run is refused. Messages to any
// other window, and a WM_INITDIALOG that is not the run's own (another
// process may send one), find nothing.
class DialogSlot {
public:
    DialogSlot();

    // False, and nothing changes, when a run is using the slot already.
    bool Open(void *object);
    void Close();

    // The object for this message to window, or null.
    void *Find(HWND window, UINT message, LPARAM lParam);

private:
    void *object_;
    HWND window_;  // 0 until WM_INITDIALOG
};

#endif
