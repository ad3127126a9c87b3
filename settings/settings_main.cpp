// Quelset, the settings program: one copy at a time. A second start brings
// the running copy's dialog forward and ends without showing anything.
#include "module_instance.h"
#include "platform_shell.h"
#include "settings_dialog.h"
#include "settings_resource.h"
#include "ui_text.h"

#include <windows.h>

namespace {

const WCHAR kSingleInstanceMutex[] = L"QUELSET_EXE_MUTEX";

// The running copy's dialog carries the title "Настройки"; whatever top-level
// window has that title gets the request.
void RaiseRunningCopy(HINSTANCE instance) {
    WCHAR title[kResStringChars];
    if (LoadStringW(instance, IDS_SETTINGS_TITLE, title, kResStringChars) <= 0) return;
    if (HWND running = FindWindowW(NULL, title)) PostMessageW(running, MSG_RAISE, 0, 0);
}

}  // namespace

int WINAPI QUELLOR_ENTRY_POINT(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    HANDLE mutex = CreateMutexW(NULL, FALSE, kSingleInstanceMutex);
    if (!mutex) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        RaiseRunningCopy(instance);
        CloseHandle(mutex);
        return 0;
    }
    g_moduleInstance = instance;
    {
        SettingsDialog object;
        RunSettingsDialog(object);
    }
    CloseHandle(mutex);
    return 0;
}
