#include "setup_dll.h"

#include <cstring>

namespace wceload {

namespace {
// The installer has no window of its own for the DLL's boxes to belong to.
const HWND kNoParent = nullptr;

// Through void (*)(): GetProcAddress's own type says nothing of the call's.
template <class Fn>
bool Find(HMODULE module, const char *name, Fn *fn) {
    *fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return *fn != nullptr;
}
}  // namespace

SetupDll::~SetupDll() {
    Unload();
}

bool SetupDll::Load(const std::wstring &path, std::wstring *problem) {
    Unload();
    module_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module_) {
        *problem =
            L"the setup DLL cannot be loaded (error " + std::to_wstring(GetLastError()) + L")";
        return false;
    }
    const char *missing = !Find(module_, "Install_Init", &installInit_)       ? "Install_Init"
                          : !Find(module_, "Install_Exit", &installExit_)     ? "Install_Exit"
                          : !Find(module_, "Uninstall_Init", &uninstallInit_) ? "Uninstall_Init"
                          : !Find(module_, "Uninstall_Exit", &uninstallExit_) ? "Uninstall_Exit"
                                                                              : nullptr;
    if (!missing) return true;
    *problem = L"the setup DLL has no " + std::wstring(missing, missing + strlen(missing));
    Unload();
    return false;
}

void SetupDll::Unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    installInit_ = nullptr;
    installExit_ = nullptr;
    uninstallInit_ = nullptr;
    uninstallExit_ = nullptr;
}

codeINSTALL_INIT SetupDll::InstallInit(bool previouslyInstalled, const std::wstring &installDir) {
    if (!installInit_) return codeINSTALL_INIT_CONTINUE;
    return installInit_(kNoParent, TRUE, previouslyInstalled ? TRUE : FALSE, installDir.c_str());
}

codeINSTALL_EXIT SetupDll::InstallExit(const std::wstring &installDir, WORD failedDirs,
                                       WORD failedFiles, WORD failedShortcuts) {
    if (!installExit_) return codeINSTALL_EXIT_DONE;
    return installExit_(kNoParent, installDir.c_str(), failedDirs, failedFiles, 0, 0,
                        failedShortcuts);
}

codeUNINSTALL_INIT SetupDll::UninstallInit(const std::wstring &installDir) {
    if (!uninstallInit_) return codeUNINSTALL_INIT_CONTINUE;
    return uninstallInit_(kNoParent, installDir.c_str());
}

void SetupDll::UninstallExit() {
    if (uninstallExit_) uninstallExit_(kNoParent);
}

}  // namespace wceload
