// The device's winuser.h as the device profile check sees it: the desktop
// header and the one name of the device's that the system uses and the
// desktop's lacks.
#ifndef QUELLOR_DEVICE_WINUSER_H
#define QUELLOR_DEVICE_WINUSER_H

#include_next <winuser.h>

// keybd_event: simulate the key without the click.
#define KEYEVENTF_SILENT 0x0004

#endif
