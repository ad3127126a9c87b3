// An owned, length-counted UTF-16 string: how every password is held in memory.
#ifndef QUELLOR_COMMON_WIDE_STRING_H
#define QUELLOR_COMMON_WIDE_STRING_H

#include <windows.h>

struct WideString {
    WCHAR *text;  // length + 1 WCHARs, NUL-terminated; null when unset
    INT length;   // WCHARs before the terminator

    WideString() : text(NULL), length(0) {}
    ~WideString() { Release(); }

    // Copies source up to its NUL; a null source leaves the string unset and an
    // empty one gives a buffer holding only the terminator. When memory runs out
    // the old value is kept (a password must never silently become empty) and
    // false is returned.
    bool Assign(const WCHAR *source);
    // Wipes the text and frees it; the string is unset afterwards.
    void Release();

    // The text, or "" when unset.
    const WCHAR *c_str() const { return text ? text : L""; }

private:
    // Not copied: two owners would free and wipe one buffer twice.
    WideString(const WideString &);
    WideString &operator=(const WideString &);
};

// Whole-string, case-sensitive comparison, UTF-16 unit by unit.
bool SameText(const WCHAR *a, const WCHAR *b);

#endif
