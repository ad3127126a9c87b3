// Stand-in for the Windows Mobile SDK's aygshell.h: the shell library's soft-key
// bar and full-screen dialog calls, with the SDK's names, layouts and values.
//
// The desktop build gets the behaviour from the mobileshell library; the device
// profile check (tools/device-check) compiles the system against this file in
// place of the SDK's. Like the SDK's it brings in winuserm.h. Each other phone
// name lives in the stand-in of the SDK header that declares it (tpcshell.h,
// winuserm.h); what only the desktop needs is in mobileshell.h.
#ifndef QUELLOR_MOBILESHELL_INCLUDE_AYGSHELL_H
#define QUELLOR_MOBILESHELL_INCLUDE_AYGSHELL_H

#include <windows.h>
#include <winuserm.h>

// On the phone SHCreateMenuBar is imported from aygshell.dll. On the desktop the
// mobileshell library is linked into the program, where an import would find
// no DLL to come from.
#ifndef WINSHELLAPI
#ifdef UNDER_CE
#define WINSHELLAPI DECLSPEC_IMPORT
#else
#define WINSHELLAPI
#endif
#endif

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
    HWND hwndMB;  // out: the bar's window
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR      0x0001
#define SHCMBF_HIDDEN        0x0002
#define SHCMBF_HIDESIPBUTTON 0x0004
#define SHCMBF_COLORBK       0x0008
#define SHCMBF_HMENU         0x0010

WINSHELLAPI BOOL SHCreateMenuBar(SHMENUBARINFO *pmbi);

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

BOOL SHInitDialog(PSHINITDLGINFO pshidi);

#ifdef __cplusplus
}
#endif

#endif
