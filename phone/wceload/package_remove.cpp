#include "package_remove.h"

#include "console_message.h"
#include "desktop_path.h"
#include "setup_dll.h"

#include <windows.h>

namespace wceload {

namespace {

bool Gone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Removes the folder when it is empty; one holding what the user put there stays.
void RemoveEmptyFolder(const std::wstring &cePath) {
    const std::wstring path = DesktopOf(cePath);
    if (!path.empty()) RemoveDirectoryW(path.c_str());
}

}  // namespace

bool DeletePhoneFile(const std::wstring &cePath) {
    const std::wstring path = DesktopOf(cePath);
    if (path.empty()) {
        Say(L"the record names " + cePath + L", no path of the phone; left alone");
        return false;
    }
    if (DeleteFileW(path.c_str()) || Gone(GetLastError())) return true;
    Say(L"cannot remove " + cePath + L" (error " + std::to_wstring(GetLastError()) + L")");
    return false;
}

int DeleteInstalled(const PackageRecord &record) {
    int failed = 0;
    for (const auto &shortcut : record.shortcuts) failed += !DeletePhoneFile(shortcut);
    for (const auto &file : record.files) failed += !DeletePhoneFile(file);
    for (auto folder = record.folders.rbegin(); folder != record.folders.rend(); ++folder)
        RemoveEmptyFolder(*folder);
    return failed;
}

Removal RemovePackage(const std::wstring &package) {
    PackageRecord record;
    if (!ReadRecord(package, &record)) {
        Say(L"no package \"" + package + L"\" is installed");
        return Removal::kNotInstalled;
    }
    SetupDll dll;
    std::wstring problem;
    if (!record.setupDll.empty() && !dll.Load(DesktopOf(record.setupDll), &problem))
        Say(L"\"" + package + L"\": " + problem + L"; removing it without its setup DLL");
    if (dll.UninstallInit(record.installDir) == codeUNINSTALL_INIT_CANCEL) {
        Say(L"the setup DLL of \"" + package + L"\" cancelled its removal: nothing was removed");
        return Removal::kCancelled;
    }
    int failed = DeleteInstalled(record);
    if (!DeleteRecord(package)) {
        Say(L"cannot remove the record of \"" + package + L"\"");
        ++failed;
    }
    dll.UninstallExit();
    dll.Unload();
    if (!record.setupDll.empty()) failed += !DeletePhoneFile(record.setupDll);
    return failed ? Removal::kIncomplete : Removal::kRemoved;
}

}  // namespace wceload
