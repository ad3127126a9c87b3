#include "wide_string.h"

#include "secret_wipe.h"

#include <climits>
#include <cwchar>
#include <new>

bool WideString::Assign(const WCHAR *source) {
    if (!source) {
        Release();
        return true;
    }
    size_t count = wcslen(source);
    if (count > INT_MAX - 1) return false;
    WCHAR *copy = new (std::nothrow) WCHAR[count + 1];
    if (!copy) return false;
    wmemcpy(copy, source, count + 1);
    Release();
    text = copy;
    length = static_cast<INT>(count);
    return true;
}

void WideString::Release() {
    // Every password lives in one of these: none stays behind in freed memory.
    if (text) WipeSecret(text, (static_cast<size_t>(length) + 1) * sizeof(WCHAR));
    delete[] text;
    text = NULL;
    length = 0;
}

bool SameText(const WCHAR *a, const WCHAR *b) {
    return wcscmp(a, b) == 0;
}
