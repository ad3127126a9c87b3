#include "softkey_resource.h"

#include <string.h>

namespace mobileshell {

namespace {
// Resource data is WORD-aligned in practice; memcpy keeps us honest anyway.
WORD WordAt(const unsigned char *p, size_t index) {
    WORD w;
    memcpy(&w, p + index * sizeof(WORD), sizeof(WORD));
    return w;
}
}  // namespace

bool ParseSoftKeyBar(const void *data, size_t size, SoftKeyBarData *out) {
    if (!out) return false;
    memset(out, 0, sizeof(*out));
    if (!data || size < kHeaderBytes) return false;
    const unsigned char *bytes = static_cast<const unsigned char *>(data);
    const WORD menuId = WordAt(bytes, 0);
    const WORD count = WordAt(bytes, 1);
    if (count > kMaxSoftKeys) return false;
    if (count * kButtonBytes > size - kHeaderBytes) return false;

    SoftKeyBarData parsed = {};
    parsed.menuId = menuId;
    parsed.count = count;
    for (int i = 0; i < count; ++i) {
        const unsigned char *b = bytes + kHeaderBytes + i * kButtonBytes;
        SoftKeyButton &button = parsed.buttons[i];
        button.image = static_cast<short>(WordAt(b, 0));
        button.command = WordAt(b, 1);
        button.state = WordAt(b, 2);
        button.style = WordAt(b, 3);
        button.stringId = WordAt(b, 4);
        // word 5 is reserved (0)
        button.popupIndex = WordAt(b, 6);
    }
    *out = parsed;
    return true;
}

}  // namespace mobileshell
