// The desktop-only part of the stand-in, with no counterpart on the phone: the
// phone's winuser.h names that the desktop headers lack, and keybd_event given
// its device meaning. Only desktop code includes it: the desktop branch of
// common/platform_shell.h, the stand-in itself and the phone stand-ins.
#ifndef QUELLOR_MOBILESHELL_INCLUDE_MOBILESHELL_H
#define QUELLOR_MOBILESHELL_INCLUDE_MOBILESHELL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// WM_HOTKEY's modifier word: the key was released.
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

#ifdef __cplusplus
}
#endif

#endif
