// The lock's registry key as raw values: written the way a setter of the key
// (the settings program, a user with a registry editor, a damaged store)
// would leave them, and read back byte for byte. Never through the
// programs' own loader, whose fallbacks would hide what is really stored.
// The key and value names are the programs' own (lock_settings.h).
#ifndef QUELLOR_TESTS_SUPPORT_SETTINGS_KEY_H
#define QUELLOR_TESTS_SUPPORT_SETTINGS_KEY_H

#include "lock_settings.h"

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// A value as stored: its type and its bytes.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const RawValue &other) const {
        return type == other.type && bytes == other.bytes;
    }
};

// The key removed, so the programs start from their defaults.
void DeleteSettingsKey();
// Writes one value, creating the key; false when it cannot.
bool PutValue(const wchar_t *name, DWORD type, const void *data, DWORD bytes);
bool PutLockOption(DWORD flags);
// The text with its terminator, as REG_SZ unless another type is asked for.
bool PutPassword(const std::wstring &text, DWORD type = REG_SZ);
bool PutSettings(DWORD flags, const std::wstring &password);

// The value as stored; false when the key or the value is missing.
bool ReadValue(const wchar_t *name, RawValue *value);
// "LockOption" when it is a REG_DWORD of four bytes.
bool ReadLockOption(DWORD *flags);
// "Password" when it is a REG_SZ ending in its terminator, with no other NUL.
bool ReadPassword(std::wstring *password);
// What PutPassword stores for text.
RawValue PasswordValue(const std::wstring &text);

}  // namespace harness

#endif
