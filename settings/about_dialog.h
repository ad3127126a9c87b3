// The About box: product name, version and web address, one soft key "Готово".
#ifndef QUELLOR_SETTINGS_ABOUT_DIALOG_H
#define QUELLOR_SETTINGS_ABOUT_DIALOG_H

#include "soft_key_dialog.h"

#include <windows.h>

class AboutDialog : public SoftKeyDialog {
public:
    BOOL OnInitDialog(HWND window);
    BOOL OnCommand(WORD id);
};

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the About box over parent until "Готово". When it cannot be shown
// nothing else happens: the user stays in the parent.
void ShowAbout(HWND parent);

#endif
