// The soft-key bar's RCDATA layout, parsed without touching any window, so
// that every malformed variant can be tested as plain data.
//
//   WORD menuId, WORD buttonCount, then per button seven WORDs:
//   image (-2 = none), command, state (TBSTATE_*), style (TBSTYLE_*),
//   string id of the label, 0, pop-up index in the menu (0xFFFF = none).
#ifndef QUELLOR_MOBILESHELL_SRC_SOFTKEY_RESOURCE_H
#define QUELLOR_MOBILESHELL_SRC_SOFTKEY_RESOURCE_H

#include <stddef.h>
#include <windows.h>

namespace mobileshell {

// A smartphone has two soft keys: button 0 is the left (F1), 1 the right (F2).
constexpr int kMaxSoftKeys = 2;
constexpr WORD kNoPopup = 0xFFFF;
constexpr WORD kButtonEnabled = 0x04;  // TBSTATE_ENABLED
constexpr WORD kButtonHidden = 0x08;   // TBSTATE_HIDDEN
constexpr size_t kHeaderBytes = 2 * sizeof(WORD);
constexpr size_t kButtonBytes = 7 * sizeof(WORD);

struct SoftKeyButton {
    short image;
    WORD command;
    WORD state;
    WORD style;
    WORD stringId;
    WORD popupIndex;  // kNoPopup when the key sends `command`
};

struct SoftKeyBarData {
    WORD menuId;
    int count;
    SoftKeyButton buttons[kMaxSoftKeys];
};

// Reads exactly `size` bytes at most. False (and *out zeroed) when the data is
// shorter than its header, when the count claims more buttons than the bytes
// hold, or when it claims more buttons than a phone has soft keys. Bytes after
// the last button (resource padding) are ignored.
bool ParseSoftKeyBar(const void *data, size_t size, SoftKeyBarData *out);

}  // namespace mobileshell

#endif
