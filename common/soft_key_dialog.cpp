#include "soft_key_dialog.h"

#include "module_instance.h"
#include "platform_shell.h"

void SoftKeyDialog::EndWithCode(HWND dialogWindow, INT_PTR code) {
    DestroyWindow(menuBar);
    EndDialog(dialogWindow, code);
}

HWND CreateSoftKeyBar(HWND dialog, UINT barId) {
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = dialog;
    info.dwFlags = 0;
    info.nToolBarId = barId;
    info.hInstRes = g_moduleInstance;
    info.nBmpId = 0;
    info.cBmpImages = 0;
    if (!SHCreateMenuBar(&info)) return NULL;
    // Back must not cancel the dialog: the bar reports it as WM_HOTKEY.
    SendMessageW(info.hwndMB, SHCMBM_OVERRIDEKEY, VK_TBACK,
                 MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    return info.hwndMB;
}

BOOL AttachSoftKeys(SoftKeyDialog &object, HWND dialog, UINT barId) {
    object.dialog = dialog;
    object.menuBar = CreateSoftKeyBar(dialog, barId);
    return object.menuBar != NULL;
}

void MakeFullScreen(HWND dialog) {
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dialog;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
    SHInitDialog(&info);
}

void ForwardBackKey(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(lParam) == VK_TBACK) SHSendBackToFocusWindow(WM_HOTKEY, wParam, lParam);
}

LPCDLGTEMPLATE LoadDialogTemplate(WORD dialogId) {
    HRSRC found = FindResourceW(g_moduleInstance, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(g_moduleInstance, found) : NULL;
    return loaded ? static_cast<LPCDLGTEMPLATE>(LockResource(loaded)) : NULL;
}

INT_PTR RunModal(WORD dialogId, HWND parent, DLGPROC procedure, DialogSlot &slot, void *object) {
    LPCDLGTEMPLATE dialogTemplate = LoadDialogTemplate(dialogId);
    if (!dialogTemplate || !slot.Open(object)) return -1;
    INT_PTR code = DialogBoxIndirectParamW(g_moduleInstance, dialogTemplate, parent, procedure,
                                           reinterpret_cast<LPARAM>(object));
    slot.Close();
    return code;
}
