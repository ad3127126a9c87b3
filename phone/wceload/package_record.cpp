#include "package_record.h"

#include "wceload_constants.h"

#include <windows.h>

namespace wceload {

namespace {

// A record larger than this is none of the installer's.
constexpr DWORD kMaxValueBytes = 1 << 20;
constexpr size_t kMaxKeyName = 255;

std::wstring KeyPath(const std::wstring &package) {
    return std::wstring(kAppsKey) + L"\\" + package;
}

bool Put(HKEY key, const wchar_t *name, DWORD type, const void *data, size_t bytes) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool PutText(HKEY key, const wchar_t *name, const std::wstring &text) {
    return Put(key, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool PutList(HKEY key, const wchar_t *name, const std::vector<std::wstring> &list) {
    std::wstring joined;
    for (const auto &item : list) joined += item + L'\0';
    joined += L'\0';
    return Put(key, name, REG_MULTI_SZ, joined.c_str(), joined.size() * sizeof(wchar_t));
}

// The value's characters when it is of type; empty otherwise.
std::wstring Get(HKEY key, const wchar_t *name, DWORD type) {
    DWORD stored = 0, bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &stored, nullptr, &bytes) != ERROR_SUCCESS ||
        stored != type || bytes > kMaxValueBytes)
        return L"";
    std::wstring chars(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&chars[0]),
                         &bytes) != ERROR_SUCCESS)
        return L"";
    chars.resize(bytes / sizeof(wchar_t));
    return chars;
}

std::wstring GetText(HKEY key, const wchar_t *name) {
    std::wstring text = Get(key, name, REG_SZ);
    return text.substr(0, text.find(L'\0'));
}

std::vector<std::wstring> GetList(HKEY key, const wchar_t *name) {
    std::vector<std::wstring> list;
    const std::wstring chars = Get(key, name, REG_MULTI_SZ);
    for (size_t at = 0; at < chars.size();) {
        size_t end = chars.find(L'\0', at);
        if (end == std::wstring::npos) end = chars.size();
        if (end > at) list.push_back(chars.substr(at, end - at));
        at = end + 1;
    }
    return list;
}

}  // namespace

bool PackageNameUsable(const std::wstring &package) {
    return !package.empty() && package.size() <= kMaxKeyName &&
           package.find(L'\\') == std::wstring::npos && package.find(L'\0') == std::wstring::npos;
}

bool ReadRecord(const std::wstring &package, PackageRecord *record) {
    if (!PackageNameUsable(package)) return false;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(package).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    DWORD installed = 0, bytes = sizeof installed, type = 0;
    record->installed =
        RegQueryValueExW(key, kInstalledValue, nullptr, &type, reinterpret_cast<BYTE *>(&installed),
                         &bytes) == ERROR_SUCCESS &&
        type == REG_DWORD && installed == 1;
    record->installDir = GetText(key, kInstallDirValue);
    record->files = GetList(key, kFilesValue);
    record->shortcuts = GetList(key, kShortcutsValue);
    record->folders = GetList(key, kFoldersValue);
    record->setupDll = GetText(key, kSetupDllValue);
    RegCloseKey(key);
    return true;
}

bool WriteRecord(const std::wstring &package, const PackageRecord &record) {
    if (!PackageNameUsable(package)) return false;
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath(package).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD installed = record.installed ? 1 : 0;
    bool ok = Put(key, kInstalledValue, REG_DWORD, &installed, sizeof installed) &&
              PutText(key, kInstallDirValue, record.installDir) &&
              PutList(key, kFilesValue, record.files) &&
              PutList(key, kShortcutsValue, record.shortcuts) &&
              PutList(key, kFoldersValue, record.folders) &&
              PutText(key, kSetupDllValue, record.setupDll);
    RegCloseKey(key);
    return ok;
}

bool DeleteRecord(const std::wstring &package) {
    if (!PackageNameUsable(package)) return false;
    LONG result = RegDeleteKeyW(HKEY_LOCAL_MACHINE, KeyPath(package).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace wceload
