#include "ui_text.h"

#include "module_instance.h"

#include <cwchar>

void LoadResString(WCHAR *buffer, UINT id) {
    if (LoadStringW(g_moduleInstance, id, buffer, kResStringChars) <= 0) buffer[0] = L'\0';
    for (WCHAR *bar = wcschr(buffer, L'|'); bar; bar = wcschr(bar + 1, L'|')) *bar = L'\0';
}

int ShowMessageBox(HWND owner, UINT textId, UINT captionId, UINT icon) {
    WCHAR text[kResStringChars];
    WCHAR caption[kResStringChars];
    LoadResString(text, textId);
    LoadResString(caption, captionId);
    return MessageBoxW(owner, text, caption, icon);
}
