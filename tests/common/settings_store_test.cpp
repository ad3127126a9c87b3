// The settings store against the real registry: what comes back from every
// shape a stored value may have, and what a save leaves behind.
#include "lock_settings.h"
#include "scenario_test.h"
#include "settings_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace harness;

namespace {

class SettingsStore : public SettingsKeyTest {
protected:
    static void Put(const wchar_t *name, DWORD type, const void *data, DWORD bytes) {
        ASSERT_TRUE(PutValue(name, type, data, bytes));
    }
    // The bytes of a stored value and its type; nothing when it is missing.
    static std::vector<BYTE> Read(const wchar_t *name, DWORD *type) {
        RawValue value;
        if (!ReadValue(name, &value)) return {};
        *type = value.type;
        return value.bytes;
    }
    static uint32_t LoadedFlags() {
        LockSettings s;
        LoadSettings(s);
        return s.lockFlags;
    }
};

TEST_F(SettingsStore, MissingKeyKeepsWhatTheRecordHolds) {
    LockSettings fresh;
    LoadSettings(fresh);
    EXPECT_EQ(15u, fresh.lockFlags);
    EXPECT_STREQ(L"4826", fresh.password.text);

    LockSettings held;
    held.lockFlags = 3;
    held.password.Assign(L"1111");
    LoadSettings(held);
    EXPECT_EQ(3u, held.lockFlags);
    EXPECT_STREQ(L"1111", held.password.text);
}

TEST_F(SettingsStore, MissingValuesTakeTheirFallbacks) {
    ASSERT_TRUE(PutPassword(L"2468"));
    LockSettings s;
    LoadSettings(s);
    EXPECT_EQ(7u, s.lockFlags) << "a key without LockOption locks all but SMS";
    EXPECT_STREQ(L"2468", s.password.text);

    DeleteSettingsKey();
    ASSERT_TRUE(PutLockOption(9));
    LockSettings other;
    LoadSettings(other);
    EXPECT_EQ(9u, other.lockFlags);
    EXPECT_STREQ(L"4826", other.password.text);
}

TEST_F(SettingsStore, StoredEmptyPasswordIsEmptyNotUnset) {
    ASSERT_TRUE(PutLockOption(1));
    ASSERT_TRUE(PutPassword(L""));
    LockSettings s;
    LoadSettings(s);
    ASSERT_NE(nullptr, s.password.text);
    EXPECT_EQ(0, s.password.length);
    EXPECT_STREQ(L"", s.password.text);
}

// Every value shape gives a terminated password of at most 259 characters;
// 260 or more give the default.
TEST_F(SettingsStore, PasswordOfAnyShapeLoadsTerminatedAndBounded) {
    struct Case {
        const char *what;
        DWORD type;
        std::vector<BYTE> bytes;
        std::wstring expected;
    };
    auto utf16 = [](const std::wstring &s, bool nul) {
        const BYTE *p = reinterpret_cast<const BYTE *>(s.c_str());
        return std::vector<BYTE>(p, p + (s.size() + (nul ? 1 : 0)) * sizeof(wchar_t));
    };
    std::wstring w259(259, L'7'), w260(260, L'8');
    std::vector<BYTE> odd = utf16(L"12", false);
    odd.push_back('3');
    std::vector<BYTE> earlyNul = utf16(L"12", true);
    earlyNul.resize(520, '9');
    const Case cases[] = {
        {"259 characters and NUL", REG_SZ, utf16(w259, true), w259},
        {"260 characters and NUL is too long", REG_SZ, utf16(w260, true), L"4826"},
        {"exactly 520 bytes, no NUL, is 260 characters", REG_SZ, utf16(w260, false), L"4826"},
        {"520 bytes of REG_BINARY, no NUL", REG_BINARY, utf16(w260, false), L"4826"},
        {"520 bytes whose text ends early", REG_BINARY, earlyNul, L"12"},
        {"no terminator", REG_SZ, utf16(L"135", false), L"135"},
        {"odd byte count drops the half character", REG_SZ, odd, L"12"},
        {"REG_DWORD bytes", REG_DWORD, {'4', 0, '2', 0}, L"42"},
        {"REG_BINARY without NUL", REG_BINARY, utf16(L"909", false), L"909"},
        {"stops at the first NUL", REG_SZ, {'1', 0, 0, 0, '2', 0, 0, 0}, L"1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteSettingsKey();
        Put(kPasswordValue, c.type, c.bytes.data(), DWORD(c.bytes.size()));
        LockSettings s;
        LoadSettings(s);
        ASSERT_NE(nullptr, s.password.text);
        EXPECT_EQ(std::wstring(s.password.text), c.expected);
        EXPECT_EQ(s.password.length, int32_t(c.expected.size()));
    }
}

TEST_F(SettingsStore, LockOptionOfAnyShape) {
    struct Case {
        const char *what;
        DWORD type;
        std::vector<BYTE> bytes;
        uint32_t expected;
    };
    const Case cases[] = {
        {"REG_DWORD", REG_DWORD, {31, 0, 0, 0}, 31},
        {"type is not checked", REG_BINARY, {8, 0, 0, 0}, 8},
        {"two bytes read into a zeroed word", REG_BINARY, {5, 1}, 0x105},
        {"one byte", REG_BINARY, {2}, 2},
        {"longer than four bytes fails", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, 7},
        {"high bits kept", REG_DWORD, {0x0F, 0, 1, 0x80}, 0x8001000F},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteSettingsKey();
        Put(kLockOptionValue, c.type, c.bytes.data(), DWORD(c.bytes.size()));
        EXPECT_EQ(c.expected, LoadedFlags());
    }
}

TEST_F(SettingsStore, SaveWritesBothValuesWithTheirTypesAndLayouts) {
    LockSettings s;
    s.lockFlags = 0x1B;
    s.password.Assign(L"0042");
    SaveSettings(s);

    DWORD type = 0;
    std::vector<BYTE> flags = Read(kLockOptionValue, &type);
    EXPECT_EQ(DWORD(REG_DWORD), type);
    ASSERT_EQ(4u, flags.size());
    EXPECT_EQ(0x1Bu, *reinterpret_cast<DWORD *>(flags.data()));

    std::vector<BYTE> password = Read(kPasswordValue, &type);
    EXPECT_EQ(DWORD(REG_SZ), type);
    ASSERT_EQ(10u, password.size()) << "four characters and the terminator";
    EXPECT_STREQ(L"0042", reinterpret_cast<wchar_t *>(password.data()));

    LockSettings back;
    LoadSettings(back);
    EXPECT_EQ(0x1Bu, back.lockFlags);
    EXPECT_STREQ(L"0042", back.password.text);
}

TEST_F(SettingsStore, SaveRewritesInPlaceAndStoresAnEmptyPassword) {
    ASSERT_TRUE(PutLockOption(15));
    ASSERT_TRUE(PutPassword(L"9999"));
    // A value the store does not know: it survives because the key is never
    // deleted, which is what keeps the password safe when a save fails midway.
    Put(L"Other", REG_DWORD, "\1\0\0\0", 4);

    LockSettings s;
    s.lockFlags = 0;
    s.password.Assign(L"");
    SaveSettings(s);

    DWORD type = 0;
    EXPECT_EQ(4u, Read(L"Other", &type).size());
    std::vector<BYTE> password = Read(kPasswordValue, &type);
    EXPECT_EQ(2u, password.size());
    LockSettings back;
    LoadSettings(back);
    EXPECT_EQ(0u, back.lockFlags);
    EXPECT_STREQ(L"", back.password.text);
}

TEST(WideStringTest, AssignCopiesReleasesAndKeepsEmptyApartFromUnset) {
    WideString s;
    EXPECT_EQ(nullptr, s.text);
    EXPECT_STREQ(L"", s.c_str());

    wchar_t source[] = L"пароль";
    ASSERT_TRUE(s.Assign(source));
    source[0] = L'X';  // the string owns its copy
    EXPECT_STREQ(L"пароль", s.text);
    EXPECT_EQ(6, s.length);

    ASSERT_TRUE(s.Assign(L""));
    ASSERT_NE(nullptr, s.text);
    EXPECT_EQ(0, s.length);

    ASSERT_TRUE(s.Assign(nullptr));
    EXPECT_EQ(nullptr, s.text);
    EXPECT_EQ(0, s.length);
}

TEST(WideStringTest, SameTextIsExactAndWhole) {
    EXPECT_TRUE(SameText(L"4826", L"4826"));
    EXPECT_TRUE(SameText(L"", L""));
    EXPECT_FALSE(SameText(L"4826", L"48260"));
    EXPECT_FALSE(SameText(L"482", L"4826"));
    EXPECT_FALSE(SameText(L"abc", L"ABC"));
}

}  // namespace
