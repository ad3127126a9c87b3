// Where the change-password dialog puts its controls.
#include "password_dialog.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    const char *name;
    int32_t w, h, s, editHeight;
    bool hasCurrent;
    int32_t width;
    int32_t labelHeight;
    int32_t y[PASSWORD_ROWS];  // rows before firstRow are not placed
};

const LayoutCase kCases[] = {
    {"100 %, current asked", 176, 180, 96, 20, true, 136, 15, {25, 42, 69, 86, 113, 130}},
    {"100 %, no current", 176, 180, 96, 20, false, 136, 15, {0, 0, 47, 64, 91, 108}},
    {"141 %, current asked", 240, 260, 141, 27, true, 200, 22, {36, 60, 99, 123, 162, 186}},
    {"141 %, no current", 240, 260, 141, 27, false, 200, 22, {0, 0, 68, 92, 131, 155}},
    // The block is 3L + 3G + 10 = 187 (or 2L + 2G + 6 = 124) pixels high at 141 %:
    // a lower client gets it at the top, never at a negative or huge offset.
    {"too low, current asked", 240, 186, 141, 27, true, 200, 22, {0, 24, 63, 87, 126, 150}},
    {"too low, no current", 240, 123, 141, 27, false, 200, 22, {0, 0, 0, 24, 63, 87}},
    {"exactly the block", 240, 187, 141, 27, true, 200, 22, {0, 24, 63, 87, 126, 150}},
    {"odd free height rounds down", 176, 181, 96, 20, true, 136, 15, {25, 42, 69, 86, 113, 130}},
};

}  // namespace

TEST(LayoutPassword, PlacesTheBlockCentredOrAtTheTop) {
    for (const LayoutCase &c : kCases) {
        SCOPED_TRACE(c.name);
        PasswordLayout layout = LayoutPassword(c.w, c.h, c.s, c.editHeight, c.hasCurrent);
        EXPECT_EQ(layout.x, 20);
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.firstRow, c.hasCurrent ? ROW_OLD_LABEL : ROW_NEW_LABEL);
        for (int row = layout.firstRow; row < PASSWORD_ROWS; ++row) {
            EXPECT_EQ(layout.y[row], c.y[row]) << "row " << row;
            const bool isLabel = row % 2 == 0;
            EXPECT_EQ(layout.height[row], isLabel ? c.labelHeight : c.editHeight) << "row " << row;
        }
    }
}
