// The program's module: every dialog template, soft-key bar and string is
// loaded from it. The entry point stores it before anything else.
#ifndef QUELLOR_COMMON_MODULE_INSTANCE_H
#define QUELLOR_COMMON_MODULE_INSTANCE_H

#include <windows.h>

extern HINSTANCE g_moduleInstance;

#endif
