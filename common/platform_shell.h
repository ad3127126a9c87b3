// The one place that decides where the phone's shell services come from:
// the device SDK's aygshell on the phone, the desktop stand-in elsewhere.
#ifndef QUELLOR_PLATFORM_SHELL_H
#define QUELLOR_PLATFORM_SHELL_H

#include <windows.h>

#ifdef UNDER_CE
#include <aygshell.h>
#include <tpcshell.h>
#else
#include "aygshell.h"  // mobileshell/include: desktop stand-in with the SDK's names
#endif

#endif
