// What the user configures: which applications are locked, and the password.
// Both programs keep their own copy, loaded from one registry key; only the
// settings program writes it.
#ifndef QUELLOR_COMMON_LOCK_SETTINGS_H
#define QUELLOR_COMMON_LOCK_SETTINGS_H

#include "wide_string.h"

#include <windows.h>

// The registry value "LockOption", a 32-bit word. Higher bits are carried
// along by the settings program and ignored by the agent.
enum LockFlags { LOCK_CONTACTS = 1, LOCK_CALENDAR = 2, LOCK_CALL_HISTORY = 4, LOCK_SMS = 8 };

const DWORD kDefaultLockFlags = 15;       // all four applications
const DWORD kMissingLockOptionFlags = 7;  // key present, "LockOption" absent: no SMS
extern const WCHAR kDefaultPassword[];    // "4826"
extern const WCHAR kSettingsKeyPath[];    // "Software\\Quellor" under HKCU
extern const WCHAR kLockOptionValue[];    // "LockOption": the LockFlags word
extern const WCHAR kPasswordValue[];      // "Password": the text, REG_SZ

// Password buffers hold 260 WCHARs: at most 259 characters and the NUL.
const int kPasswordBufferChars = 260;

struct LockSettings {
    WideString password;
    DWORD lockFlags;

    LockSettings() : lockFlags(kDefaultLockFlags) { password.Assign(kDefaultPassword); }
};

// Fills settings from the registry. A missing key keeps what settings holds;
// a missing or unreadable value takes its fallback (7, "4826").
void LoadSettings(LockSettings &settings);

// Writes both values into the key, creating it when missing. Failures are
// silent; the key is never removed, so a failed save keeps what was stored.
void SaveSettings(const LockSettings &settings);

#endif
