#include "layout_scale.h"

#include <windows.h>

INT LayoutScale;
INT g_layoutScaleDpiX;

INT ScaleForScreen(INT screenHeight, INT dpiY) {
    // The steps and their order are fixed: rounding differs with any other
    // grouping (or with a fused multiply-add), and the 220-pixel screen at
    // 96 dpi must come out exactly 96.
    double a = static_cast<double>(dpiY) * (1.0 / 96.0);
    a = a * 40.0;
    double b = static_cast<double>(screenHeight) - a;
    b = b * (8.0 / 15.0);
    return static_cast<INT>(b);
}

void ComputeLayoutScale() {
    if (g_layoutScaleDpiX != 0) return;
    HDC screen = GetDC(NULL);
    INT dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    g_layoutScaleDpiX = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(NULL, screen);
    LayoutScale = ScaleForScreen(GetSystemMetrics(SM_CYSCREEN), dpiY);
}
