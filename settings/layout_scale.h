// How much larger than on the classic 176x220 screen at 96 dpi the
// change-password dialog is drawn: a length designed for that screen is drawn
// as (length * LayoutScale + 48) / 96 pixels, so 96 means 100 %.
#ifndef QUELLOR_SETTINGS_LAYOUT_SCALE_H
#define QUELLOR_SETTINGS_LAYOUT_SCALE_H

#include <windows.h>

extern INT LayoutScale;
// The horizontal logical dpi read while computing LayoutScale; 0 until then.
extern INT g_layoutScaleDpiX;

// The scale for a screen screenHeight pixels high at dpiY vertical dpi: the
// height less 40 pixels at 96 dpi, times 8/15.
INT ScaleForScreen(INT screenHeight, INT dpiY);

// Reads the screen once per process and fills LayoutScale; later calls change nothing.
void ComputeLayoutScale();

// A length designed at 100 % drawn at LayoutScale, rounded to the nearest pixel.
inline INT Scaled(INT length, INT scale) {
    return (length * scale + 48) / 96;
}

#endif
