#include "settings_key.h"

namespace harness {

void DeleteSettingsKey() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKeyPath);
}

bool PutValue(const wchar_t *name, DWORD type, const void *data, DWORD bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool written =
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

bool PutLockOption(DWORD flags) {
    return PutValue(kLockOptionValue, REG_DWORD, &flags, sizeof flags);
}

RawValue PasswordValue(const std::wstring &text) {
    RawValue value;
    value.type = REG_SZ;
    const BYTE *first = reinterpret_cast<const BYTE *>(text.c_str());
    value.bytes.assign(first, first + (text.size() + 1) * sizeof(wchar_t));
    return value;
}

bool PutPassword(const std::wstring &text, DWORD type) {
    const RawValue value = PasswordValue(text);
    return PutValue(kPasswordValue, type, value.bytes.data(), DWORD(value.bytes.size()));
}

bool PutSettings(DWORD flags, const std::wstring &password) {
    return PutLockOption(flags) && PutPassword(password);
}

bool ReadValue(const wchar_t *name, RawValue *value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &value->type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        value->bytes.resize(size);
        rc = RegQueryValueExW(key, name, nullptr, &value->type, value->bytes.data(), &size);
        value->bytes.resize(size);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool ReadLockOption(DWORD *flags) {
    RawValue value;
    if (!ReadValue(kLockOptionValue, &value) || value.type != REG_DWORD ||
        value.bytes.size() != sizeof *flags)
        return false;
    *flags = *reinterpret_cast<const DWORD *>(value.bytes.data());
    return true;
}

bool ReadPassword(std::wstring *password) {
    RawValue value;
    if (!ReadValue(kPasswordValue, &value) || value.type != REG_SZ ||
        value.bytes.size() % sizeof(wchar_t) != 0 || value.bytes.size() < sizeof(wchar_t))
        return false;
    std::wstring text(reinterpret_cast<const wchar_t *>(value.bytes.data()),
                      value.bytes.size() / sizeof(wchar_t));
    if (text.back() != L'\0') return false;
    text.pop_back();
    if (text.find(L'\0') != std::wstring::npos) return false;
    *password = text;
    return true;
}

}  // namespace harness
