#include "module_instance.h"

HINSTANCE g_moduleInstance;
