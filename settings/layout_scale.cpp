#include "layout_scale.h"

#include <windows.h>

int32_t LayoutScale;
int32_t g_layoutScaleDpiX;

int32_t ScaleForScreen(int32_t screenHeight, int32_t dpiY) {
    // The steps and their order are fixed: rounding differs with any other
    // grouping (or with a fused multiply-add), and the 220-pixel screen at
    // 96 dpi must come out exactly 96.
    double a = static_cast<double>(dpiY) * (1.0 / 96.0);
    a = a * 40.0;
    double b = static_cast<double>(screenHeight) - a;
    b = b * (8.0 / 15.0);
    return static_cast<int32_t>(b);
}

void ComputeLayoutScale() {
    if (g_layoutScaleDpiX != 0) return;
    HDC screen = GetDC(nullptr);
    int32_t dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    g_layoutScaleDpiX = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    LayoutScale = ScaleForScreen(GetSystemMetrics(SM_CYSCREEN), dpiY);
}
