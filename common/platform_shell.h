// The one header that decides the platform: the device SDK's headers and the
// device's forms of a few calls on the phone (UNDER_CE), the desktop stand-in
// and the desktop's forms elsewhere. The system's code is otherwise the same
// text on both.
#ifndef QUELLOR_COMMON_PLATFORM_SHELL_H
#define QUELLOR_COMMON_PLATFORM_SHELL_H

#include <windows.h>

#ifdef UNDER_CE
#include <aygshell.h>
#include <ce_setup.h>
#include <tpcshell.h>
#include <winuserm.h>
#else
// mobileshell/include: the same SDK headers stood in for on the desktop, and
// the desktop-only rest (keybd_event with the device's meaning of its flags).
#include "aygshell.h"
#include "ce_setup.h"
#include "mobileshell.h"
#include "tpcshell.h"
#include "winuserm.h"
#endif

// The programs' entry point, (HINSTANCE, HINSTANCE, LPWSTR, int): the device's
// startup code calls it WinMain; the desktop build links with -municode, whose
// startup code calls wWinMain.
#ifdef UNDER_CE
#define QUELLOR_ENTRY_POINT WinMain
#else
#define QUELLOR_ENTRY_POINT wWinMain
#endif

// The access RegOpenKeyExW and RegCreateKeyExW ask for. The device's calls
// take no access mask: their reference says to pass 0.
#ifdef UNDER_CE
const REGSAM kRegistryRead = 0;
const REGSAM kRegistryWrite = 0;
#else
const REGSAM kRegistryRead = KEY_READ;
const REGSAM kRegistryWrite = KEY_WRITE;
#endif

// The access OpenProcess asks for to wait for the process to end. The device's
// call takes no access mask: its reference says to pass 0, and any handle it
// gives can be waited on.
#ifdef UNDER_CE
const DWORD kProcessWaitAccess = 0;
#else
const DWORD kProcessWaitAccess = SYNCHRONIZE;
#endif

// Starts the program at path (its path is its command line) without waiting
// for it; the new process's handles in *started, which the caller closes. The
// device has no start-up information, current folder or inheritance: its
// reference says to pass null and FALSE for them; the desktop's call needs
// the start-up information.
inline BOOL StartProgram(const WCHAR *path, PROCESS_INFORMATION *started) {
#ifdef UNDER_CE
    return CreateProcessW(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, NULL, started);
#else
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    return CreateProcessW(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, started);
#endif
}

// A dialog procedure hands a message's result back in the dialog's result
// word and returns TRUE. The device is 32-bit and names the word and the call
// in their LONG forms only.
inline INT_PTR SetDialogResult(HWND dialog, LRESULT result) {
#ifdef UNDER_CE
    SetWindowLongW(dialog, DWL_MSGRESULT, result);
#else
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
#endif
    return TRUE;
}

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

// Words two threads share go through the interlocked functions, each a full
// barrier: a write is an exchange, a read a compare-exchange that only ever
// stores the value already there. On the device, which is 32-bit, a pointer
// goes through the LONG functions, the only interlocked calls the system
// imports there; the desktop build is 64-bit and takes the pointer forms.
inline LONG ReadShared(LONG *word) {
    return InterlockedCompareExchange(word, 0, 0);
}

template <typename T>
T *ExchangeShared(T **slot, T *value) {
#ifdef UNDER_CE
    return reinterpret_cast<T *>(
        InterlockedExchange(reinterpret_cast<LONG *>(slot), reinterpret_cast<LONG>(value)));
#else
    return static_cast<T *>(InterlockedExchangePointer(reinterpret_cast<void **>(slot), value));
#endif
}

// Stores value only when the slot holds expected; the slot's value before.
template <typename T>
T *CompareExchangeShared(T **slot, T *value, T *expected) {
#ifdef UNDER_CE
    return reinterpret_cast<T *>(InterlockedCompareExchange(reinterpret_cast<LONG *>(slot),
                                                            reinterpret_cast<LONG>(value),
                                                            reinterpret_cast<LONG>(expected)));
#else
    return static_cast<T *>(
        InterlockedCompareExchangePointer(reinterpret_cast<void **>(slot), value, expected));
#endif
}

template <typename T>
T *ReadShared(T *const *slot) {
    T *none = NULL;
    return CompareExchangeShared(const_cast<T **>(slot), none, none);
}

#endif
