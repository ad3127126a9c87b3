// wceload, the emulated phone's installer, as the phone's own is called:
//   wceload.exe CAB                                  installs the package in CAB
//   wceload.exe /uninstall "<Provider> <AppName>"    removes an installed one
// Exit code 0 when done; otherwise a message on stderr says why.
//
// It runs in the phone's root folder, so that a CE path the setup DLL is given
// ("\Program Files\Quellor") or starts a program from means the same there as
// on the phone.
#include "console_message.h"
#include "package_install.h"
#include "package_remove.h"
#include "wceload_constants.h"

#include "ce_path.h"

#include <windows.h>

#include <string>

namespace {

int Usage() {
    wceload::Say(L"usage: wceload CAB | wceload /uninstall \"<Provider> <AppName>\"");
    return wceload::kExitUsage;
}

// The cabinet's path as the caller meant it, before the folder changes.
std::wstring FullPath(const wchar_t *path) {
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full) : std::wstring(path);
}

void EnterPhoneRoot() {
    SetCurrentDirectoryW((std::wstring(phone::kPhoneRoot) + L"\\").c_str());
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc == 2 && argv[1][0] != L'/') {
        const std::wstring cabinet = FullPath(argv[1]);
        EnterPhoneRoot();
        return wceload::InstallPackage(cabinet) ? wceload::kExitDone : wceload::kExitFailed;
    }
    if (argc == 3 && _wcsicmp(argv[1], wceload::kUninstallArg) == 0) {
        EnterPhoneRoot();
        return wceload::RemovePackage(argv[2]) == wceload::Removal::kRemoved ? wceload::kExitDone
                                                                             : wceload::kExitFailed;
    }
    return Usage();
}
