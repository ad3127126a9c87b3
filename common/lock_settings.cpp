#include "lock_settings.h"

#include "platform_shell.h"
#include "secret_wipe.h"

#include <cstring>
#include <cwchar>

const WCHAR kDefaultPassword[] = L"4826";
const WCHAR kSettingsKeyPath[] = L"Software\\Quellor";
const WCHAR kLockOptionValue[] = L"LockOption";
const WCHAR kPasswordValue[] = L"Password";

namespace {

DWORD ReadLockFlags(HKEY key) {
    // A value shorter than four bytes lands in a word that is already zero.
    DWORD flags = 0;
    DWORD size = sizeof flags;
    if (RegQueryValueExW(key, kLockOptionValue, NULL, NULL, reinterpret_cast<BYTE *>(&flags),
                         &size) != ERROR_SUCCESS)
        return kMissingLockOptionFlags;
    return flags;
}

// Reads "Password" into buffer (kPasswordBufferChars WCHARs), terminated. A
// text of 260 characters or more before its first NUL (a full 520-byte value
// without one) is too long for any password: it gives the default, as a
// missing value does. A shorter value of any shape — any type, an odd byte
// count, no terminator — is read no further than it goes; a trailing odd
// byte, half a character, is dropped.
void ReadPassword(HKEY key, WCHAR *buffer) {
    wmemset(buffer, 0, kPasswordBufferChars);
    DWORD size = kPasswordBufferChars * sizeof(WCHAR);
    // Fails for a missing value and for one longer than the buffer.
    const bool read = RegQueryValueExW(key, kPasswordValue, NULL, NULL,
                                       reinterpret_cast<BYTE *>(buffer), &size) == ERROR_SUCCESS;
    const DWORD chars = read ? size / sizeof(WCHAR) : 0;
    DWORD length = 0;
    while (length < chars && buffer[length] != L'\0') ++length;
    if (!read || length == kPasswordBufferChars) {
        WipeSecret(buffer, kPasswordBufferChars * sizeof(WCHAR));
        wcscpy(buffer, kDefaultPassword);
        return;
    }
    buffer[length] = L'\0';
}

}  // namespace

void LoadSettings(LockSettings &settings) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, kRegistryRead, &key) != ERROR_SUCCESS)
        return;
    settings.lockFlags = ReadLockFlags(key);
    WCHAR password[kPasswordBufferChars];
    ReadPassword(key, password);
    settings.password.Assign(password);
    WipeSecret(password, sizeof password);
    RegCloseKey(key);
}

void SaveSettings(const LockSettings &settings) {
    // The key is written in place, not deleted and created anew: a failed
    // create, or an end between the two, would otherwise lose the password
    // and bring back the well-known default at the next start.
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, NULL, 0, kRegistryWrite, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    DWORD flags = settings.lockFlags;
    RegSetValueExW(key, kLockOptionValue, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&flags),
                   sizeof flags);
    const WCHAR *text = settings.password.c_str();
    DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(WCHAR));
    RegSetValueExW(key, kPasswordValue, 0, REG_SZ, reinterpret_cast<const BYTE *>(text), bytes);
    RegCloseKey(key);
}
