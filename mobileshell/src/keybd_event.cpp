// MobileShell_keybd_event: the device's keybd_event, whose bit 4 means "no key
// click". On the desktop that bit is KEYEVENTF_UNICODE, so it is stripped
// before the key goes to the real keybd_event.
#include "shell_internal.h"

#undef keybd_event  // the desktop function from here on

extern "C" void WINAPI MobileShell_keybd_event(BYTE vk, BYTE scan, DWORD flags, ULONG_PTR extra) {
    flags &= ~static_cast<DWORD>(KEYEVENTF_SILENT);
    if (scan == 0) scan = static_cast<BYTE>(MapVirtualKeyW(vk, 0 /* MAPVK_VK_TO_VSC */));
    keybd_event(vk, scan, flags, extra);
}
