// A package's setup DLL, as wceload calls it: the four entry points of
// ce_setup.h, exported undecorated, each answering with one of its codes.
// Install_Init before the files are copied, Install_Exit after;
// Uninstall_Init before they are removed, Uninstall_Exit after.
#ifndef QUELLOR_PHONE_WCELOAD_SETUP_DLL_H
#define QUELLOR_PHONE_WCELOAD_SETUP_DLL_H

#include "ce_setup.h"

#include <windows.h>

#include <string>

namespace wceload {

class SetupDll {
public:
    SetupDll() = default;
    ~SetupDll();
    SetupDll(const SetupDll &) = delete;
    SetupDll &operator=(const SetupDll &) = delete;

    // Loads the DLL at desktop path; false, *problem saying why, when it is
    // no DLL or lacks one of the four.
    bool Load(const std::wstring &path, std::wstring *problem);
    // Frees the DLL, so that its file can go.
    void Unload();

    // Install dirs are CE paths, as the phone passes them. Without a DLL
    // loaded each call goes on (CONTINUE, DONE).
    codeINSTALL_INIT InstallInit(bool previouslyInstalled, const std::wstring &installDir);
    codeINSTALL_EXIT InstallExit(const std::wstring &installDir, WORD failedDirs, WORD failedFiles,
                                 WORD failedShortcuts);
    codeUNINSTALL_INIT UninstallInit(const std::wstring &installDir);
    void UninstallExit();

private:
    HMODULE module_ = nullptr;
    pfnINSTALL_INIT installInit_ = nullptr;
    pfnINSTALL_EXIT installExit_ = nullptr;
    pfnUNINSTALL_INIT uninstallInit_ = nullptr;
    pfnUNINSTALL_EXIT uninstallExit_ = nullptr;
};

}  // namespace wceload

#endif
