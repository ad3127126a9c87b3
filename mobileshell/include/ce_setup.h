// Stand-in for the Windows Mobile SDK's ce_setup.h: the four calls the phone's
// installer (wceload) makes into a package's setup DLL, what each may return,
// and the pointer types the installer takes them as, with the SDK's names and
// values. Like the SDK's, the calls have C linkage and the default calling
// convention; the DLL exports them undecorated.
#ifndef QUELLOR_MOBILESHELL_INCLUDE_CE_SETUP_H
#define QUELLOR_MOBILESHELL_INCLUDE_CE_SETUP_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL = 1 } codeINSTALL_INIT;
typedef enum { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL = 1 } codeINSTALL_EXIT;
typedef enum { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL = 1 } codeUNINSTALL_INIT;
typedef enum { codeUNINSTALL_EXIT_DONE = 0 } codeUNINSTALL_EXIT;

// Before any file is put in place; fFirstCall is FALSE when the installer asks
// again (the user chose another place to install to).
codeINSTALL_INIT Install_Init(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled,
                              LPCTSTR pszInstallDir);
// After the files, registry entries and shortcuts, with how many of each failed.
codeINSTALL_EXIT Install_Exit(HWND hwndParent, LPCTSTR pszInstallDir, WORD cFailedDirs,
                              WORD cFailedFiles, WORD cFailedRegKeys, WORD cFailedRegVals,
                              WORD cFailedShortcuts);
// Before anything is removed.
codeUNINSTALL_INIT Uninstall_Init(HWND hwndParent, LPCTSTR pszInstallDir);
// After everything is removed.
codeUNINSTALL_EXIT Uninstall_Exit(HWND hwndParent);

typedef codeINSTALL_INIT (*pfnINSTALL_INIT)(HWND, BOOL, BOOL, LPCTSTR);
typedef codeINSTALL_EXIT (*pfnINSTALL_EXIT)(HWND, LPCTSTR, WORD, WORD, WORD, WORD, WORD);
typedef codeUNINSTALL_INIT (*pfnUNINSTALL_INIT)(HWND, LPCTSTR);
typedef codeUNINSTALL_EXIT (*pfnUNINSTALL_EXIT)(HWND);

#ifdef __cplusplus
}
#endif

#endif
