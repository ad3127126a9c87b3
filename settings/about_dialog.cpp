#include "about_dialog.h"

#include "settings_resource.h"

namespace {
AboutDialog *g_aboutDialog;
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
    if (message == WM_INITDIALOG) {
        g_aboutDialog = reinterpret_cast<AboutDialog *>(lParam);
        return g_aboutDialog->OnInitDialog(window);
    }
    if (!g_aboutDialog) return FALSE;
    switch (message) {
    case WM_COMMAND:
        return g_aboutDialog->OnCommand(LOWORD(wParam));
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
    RunModal(IDD_ABOUT, parent, AboutDialogProc, &object);
    g_aboutDialog = nullptr;
}
