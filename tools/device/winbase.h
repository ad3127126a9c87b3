// The device's winbase.h as the device profile check sees it: the desktop
// header, with the entry point declared the way the device declares it.
#ifndef QUELLOR_DEVICE_WINBASE_H
#define QUELLOR_DEVICE_WINBASE_H

// The desktop's WinMain takes an ANSI command line; keep it out of the way.
#define WinMain DesktopWinMain
#include_next <winbase.h>
#undef WinMain

#ifdef __cplusplus
extern "C" {
#endif

// What the device's startup code (WinMainCRTStartup) calls.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd);

// COREDLL's interlocked functions take a plain LONG pointer, not a volatile
// one; the desktop headers make them compiler intrinsics instead.
#undef InterlockedExchange
#undef InterlockedCompareExchange
LONG WINAPI InterlockedExchange(LPLONG Target, LONG Value);
LONG WINAPI InterlockedCompareExchange(LPLONG Destination, LONG Exchange, LONG Comperand);

#ifdef __cplusplus
}
#endif

#endif
