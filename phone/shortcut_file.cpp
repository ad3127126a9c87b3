#include "shortcut_file.h"

#include <cstdio>
#include <cwchar>

namespace phone {

namespace {

constexpr size_t kMaxCountDigits = 4;  // kMaxShortcutBytes has four

// The command line's characters; false when they are no 1251 text of at most
// kMaxShortcutBytes characters or hold a control character.
bool Decode(const char *bytes, size_t size, wchar_t *out) {
    if (size == 0) return false;
    int n = MultiByteToWideChar(kPhoneCodePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size),
                                out, kMaxShortcutBytes);
    if (n <= 0) return false;
    out[n] = 0;
    for (int i = 0; i < n; ++i)
        if (out[i] < L' ') return false;
    return true;
}

bool Copy(const wchar_t *from, size_t length, wchar_t *to, size_t room) {
    if (length >= room) return false;
    wmemcpy(to, from, length);
    to[length] = 0;
    return true;
}

// Splits a command line into its program and the rest.
bool Split(const wchar_t *line, Shortcut *shortcut) {
    const wchar_t *program = line;
    const wchar_t *end;
    const wchar_t *rest;
    if (*line == L'"') {
        program = line + 1;
        end = wcschr(program, L'"');
        if (!end) return false;
        rest = end + 1;
    } else {
        end = program + wcscspn(program, L" ");
        rest = end;
    }
    if (end == program) return false;
    while (*rest == L' ') ++rest;
    size_t quotes = 0;
    for (const wchar_t *p = rest; *p; ++p) quotes += *p == L'"';
    if (quotes % 2) return false;
    return Copy(program, static_cast<size_t>(end - program), shortcut->program, MAX_PATH) &&
           Copy(rest, wcslen(rest), shortcut->args, kMaxShortcutBytes);
}

}  // namespace

bool ParseShortcut(const char *text, size_t size, Shortcut *shortcut) {
    if (size > kMaxShortcutBytes) return false;
    // An editor may have ended the line.
    while (size > 0 && (text[size - 1] == '\n' || text[size - 1] == '\r')) --size;
    size_t count = 0;
    size_t at = 0;
    while (at < size && at < kMaxCountDigits && text[at] >= '0' && text[at] <= '9')
        count = count * 10 + static_cast<size_t>(text[at++] - '0');
    if (at == 0 || at >= size || text[at] != '#') return false;
    ++at;
    if (size - at != count) return false;  // 1251 has one byte a character
    wchar_t line[kMaxShortcutBytes + 1];
    return Decode(text + at, count, line) && Split(line, shortcut);
}

bool ReadShortcut(const wchar_t *file, Shortcut *shortcut) {
    HANDLE h = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // One byte more than a shortcut may have tells a longer file from one that fits.
    char text[kMaxShortcutBytes + 1];
    DWORD got = 0;
    BOOL read = ReadFile(h, text, sizeof text, &got, nullptr);
    CloseHandle(h);
    return read && ParseShortcut(text, got, shortcut);
}

bool WriteShortcut(const wchar_t *file, const wchar_t *program) {
    wchar_t line[kMaxShortcutBytes];
    const bool quoted = wcschr(program, L' ') != nullptr;
    int length = swprintf(line, kMaxShortcutBytes, quoted ? L"\"%ls\"" : L"%ls", program);
    if (length <= 0) return false;
    char text[kMaxShortcutBytes];
    int prefix = snprintf(text, sizeof text, "%d#", length);
    BOOL lost = FALSE;
    int bytes = WideCharToMultiByte(kPhoneCodePage, 0, line, length, text + prefix,
                                    static_cast<int>(sizeof text) - prefix, nullptr, &lost);
    if (bytes != length || lost) return false;
    HANDLE h =
        CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text, static_cast<DWORD>(prefix + bytes), &written, nullptr);
    CloseHandle(h);
    return ok && written == static_cast<DWORD>(prefix + bytes);
}

}  // namespace phone
