// Texts from the program's string table, and the message box built from them.
#ifndef QUELLOR_COMMON_UI_TEXT_H
#define QUELLOR_COMMON_UI_TEXT_H

#include <windows.h>

const int kResStringChars = 256;

// Loads string id into buffer (kResStringChars WCHARs); only the text before
// the first '|' is kept. A missing string gives "".
void LoadResString(WCHAR *buffer, UINT id);

// A message box owned by owner with icon (MB_ICONINFORMATION, ...), text and
// caption from the string table.
int ShowMessageBox(HWND owner, UINT textId, UINT captionId, UINT icon);

#endif
