// The one place that decides where the phone's shell services come from:
// the device SDK's headers on the phone, the desktop stand-in elsewhere.
#ifndef QUELLOR_PLATFORM_SHELL_H
#define QUELLOR_PLATFORM_SHELL_H

#include <windows.h>

#ifdef UNDER_CE
#include <aygshell.h>
#include <tpcshell.h>
#include <winuserm.h>
#else
// mobileshell/include: the same SDK headers stood in for on the desktop, and
// the desktop-only rest (keybd_event with the device's meaning of its flags).
#include "aygshell.h"
#include "tpcshell.h"
#include "winuserm.h"
#include "mobileshell.h"
#endif

// Brings forward the pop-up that window owns and that was active last (its
// modal dialog, or the box that one shows): while it is up, the keys must go
// there, not to the disabled window under it. The device asks for it with the
// handle's low bit set; the desktop names the pop-up.
inline BOOL ForegroundLastActivePopup(HWND window) {
#ifdef UNDER_CE
    return SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) | 1));
#else
    return SetForegroundWindow(GetLastActivePopup(window));
#endif
}

#endif
