// How much larger than on the classic 176x220 screen at 96 dpi the
// change-password dialog is drawn: a length designed for that screen is drawn
// as (length * LayoutScale + 48) / 96 pixels, so 96 means 100 %.
#ifndef QUELSET_LAYOUT_SCALE_H
#define QUELSET_LAYOUT_SCALE_H

#include <cstdint>

extern int32_t LayoutScale;
// The horizontal logical dpi read while computing LayoutScale; 0 until then.
extern int32_t g_layoutScaleDpiX;

// The scale for a screen screenHeight pixels high at dpiY vertical dpi: the
// height less 40 pixels at 96 dpi, times 8/15.
int32_t ScaleForScreen(int32_t screenHeight, int32_t dpiY);

// Reads the screen once per process and fills LayoutScale; later calls change nothing.
void ComputeLayoutScale();

// A length designed at 100 % drawn at LayoutScale, rounded to the nearest pixel.
inline int32_t Scaled(int32_t length, int32_t scale) {
    return (length * scale + 48) / 96;
}

#endif
