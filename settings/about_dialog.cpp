#include "about_dialog.h"

#include "settings_resource.h"

namespace {
DialogSlot g_aboutSlot;
}  // namespace

BOOL AboutDialog::OnInitDialog(HWND window) {
    AttachSoftKeys(*this, window, IDR_ABOUT_BAR);
    MakeFullScreen(window);
    return TRUE;
}

BOOL AboutDialog::OnCommand(WORD id) {
    if (id != IDM_DONE && id != IDOK) return FALSE;
    EndWithCode(dialog, 0);
    return TRUE;
}

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutDialog *about = static_cast<AboutDialog *>(g_aboutSlot.Find(window, message, lParam));
    if (!about) return FALSE;  // before WM_INITDIALOG, or not the running box
    switch (message) {
    case WM_INITDIALOG:
        return about->OnInitDialog(window);
    case WM_COMMAND:
        return about->OnCommand(LOWORD(wParam));
    case WM_HOTKEY:
        // Back must not close the box; it has no field to erase in either.
        ForwardBackKey(wParam, lParam);
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowAbout(HWND parent) {
    AboutDialog object;
    RunModal(IDD_ABOUT, parent, AboutDialogProc, g_aboutSlot, &object);
}
