// What the phone's installer shares with whoever calls it and looks at what it
// did: its command line, its exit codes, and the record it keeps of each
// installed package.
#ifndef QUELLOR_PHONE_WCELOAD_WCELOAD_CONSTANTS_H
#define QUELLOR_PHONE_WCELOAD_WCELOAD_CONSTANTS_H

namespace wceload {

// wceload.exe CAB installs; wceload.exe /uninstall "<Provider> <AppName>" removes.
constexpr wchar_t kUninstallArg[] = L"/uninstall";

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // refused, cancelled or not all done; stderr says which
constexpr int kExitUsage = 2;

// Installed packages, under HKEY_LOCAL_MACHINE, a key "<Provider> <AppName>" each.
constexpr wchar_t kAppsKey[] = L"Software\\Apps";
constexpr wchar_t kInstalledValue[] = L"Instl";      // REG_DWORD 1 once installed
constexpr wchar_t kInstallDirValue[] = L"InstlDir";  // REG_SZ, a CE path
constexpr wchar_t kFilesValue[] = L"Files";          // REG_MULTI_SZ of CE paths
constexpr wchar_t kShortcutsValue[] = L"Shortcuts";  // REG_MULTI_SZ of CE paths
constexpr wchar_t kFoldersValue[] = L"Folders";      // the folders it made, outer first
constexpr wchar_t kSetupDllValue[] = L"SetupDll";    // REG_SZ, the kept DLL's CE path

// The cabinet's files by number: the control file, the setup DLL, and
// between them the files to install.
constexpr int kScriptNumber = 0;
constexpr int kFirstFileNumber = 1;
constexpr int kLastFileNumber = 998;
constexpr int kSetupDllNumber = 999;

}  // namespace wceload

#endif
