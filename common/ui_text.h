// Texts from the program's string table, and the message box built from them.
#ifndef QUELLOR_UI_TEXT_H
#define QUELLOR_UI_TEXT_H

#include <windows.h>

const int kResStringChars = 256;

// Loads string id into buffer (kResStringChars WCHARs); only the text before
// the first '|' is kept. A missing string gives "".
void LoadResString(WCHAR *buffer, UINT id);

// An information box owned by owner, text and caption from the string table.
int ShowInfoBox(HWND owner, UINT textId, UINT captionId);

#endif
