// Desktop stand-in for the Windows Mobile shell library (aygshell) and the few
// smartphone-only additions to the core headers that the system uses.
//
// Names, structure layouts and values are the device SDK's; the behaviour is
// implemented on desktop Win32 by the mobileshell library so that the system's
// code runs unchanged in the emulated phone. Only common/platform_shell.h
// includes this file; on the device that header takes the SDK's aygshell.h.
#ifndef MOBILESHELL_AYGSHELL_H
#define MOBILESHELL_AYGSHELL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// ---- Soft-key bar ---------------------------------------------------------

typedef struct tagSHMENUBARINFO {
    DWORD cbSize;        // sizeof(SHMENUBARINFO)
    HWND hwndParent;     // owner: receives WM_COMMAND / WM_INITMENUPOPUP / WM_HOTKEY
    DWORD dwFlags;       // SHCMBF_*; 0 for the system's bars
    UINT nToolBarId;     // id of the soft-key RCDATA (and of its menu)
    HINSTANCE hInstRes;  // module holding the RCDATA, menu and label strings
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;         // out: the bar's window
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR      0x0001
#define SHCMBF_HIDDEN        0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK       0x0008
#define SHCMBF_HMENU         0x0010

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *pmbi);

// The soft-key bar created for hwnd (in any process), or 0 when it has none.
HWND WINAPI SHFindMenuBar(HWND hwnd);

// Sent to a bar: wParam = virtual key, lParam = MAKELPARAM(mask, value) of SHMBOF_*.
#define SHCMBM_OVERRIDEKEY (WM_USER + 403)
#define SHMBOF_NODEFAULT   0x00000001  // the key no longer does its default action
#define SHMBOF_NOTIFY      0x00000002  // the owner receives WM_HOTKEY for the key

// ---- Dialog initialisation ------------------------------------------------

typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS               0x0001
#define SHIDIF_DONEBUTTON          0x0001
#define SHIDIF_SIZEDLG             0x0002
#define SHIDIF_SIZEDLGFULLSCREEN   0x0004
#define SHIDIF_SIPDOWN             0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU           0x0020
#define SHIDIF_WANTSCROLLBAR       0x0040

BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);

// Hands a Back key that the owner received as WM_HOTKEY to the focused window:
// in an edit field it erases the character before the caret.
void WINAPI SHSendBackToFocusWindow(UINT uMsg, WPARAM wp, LPARAM lp);

// ---- Keys -----------------------------------------------------------------

#define VK_TSOFT1 VK_F1
#define VK_TSOFT2 VK_F2
#define VK_TBACK  VK_ESCAPE
#define VK_TTALK  VK_F3
#define VK_TEND   VK_F4

#ifndef MOD_KEYUP
#define MOD_KEYUP 0x1000
#endif

// On the device bit 4 of keybd_event's flags suppresses the key click. On the
// desktop the same bit is KEYEVENTF_UNICODE, which would turn the key into a
// character event; MobileShell_keybd_event gives the bit its device meaning.
#ifndef KEYEVENTF_SILENT
#define KEYEVENTF_SILENT 0x0004
#endif
void WINAPI MobileShell_keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra);
#define keybd_event MobileShell_keybd_event

// ---- Edit input modes -----------------------------------------------------

#define EM_SETINPUTMODE 0x00DE
#define IM_SPELL    0
#define IM_AMBIG    1
#define IM_NUMBERS  2
#define IM_LAST     IM_NUMBERS

#ifdef __cplusplus
}
#endif

#endif
