// Stand-in for the Windows Mobile SDK's tpcshell.h, the smartphone additions to
// the shell: here only the call that hands an overridden Back key on.
#ifndef QUELLOR_MOBILESHELL_INCLUDE_TPCSHELL_H
#define QUELLOR_MOBILESHELL_INCLUDE_TPCSHELL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Hands a Back key that the owner received as WM_HOTKEY to the focused window:
// in an edit field it erases the character before the caret.
void SHSendBackToFocusWindow(UINT uMsg, WPARAM wp, LPARAM lp);

#ifdef __cplusplus
}
#endif

#endif
