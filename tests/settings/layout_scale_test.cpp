// The layout scale: the arithmetic against every phone screen, and that the
// screen is read once per process.
#include "layout_scale.h"
#include "scale_table.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(ScaleForScreen, GivesTheScaleOfEveryPhoneScreen) {
    for (const ScaleCase &c : kScaleTable)
        EXPECT_EQ(ScaleForScreen(c.screenHeight, c.dpiY), c.scale)
            << c.screenHeight << " px at " << c.dpiY << " dpi";
}

TEST(ComputeLayoutScale, ReadsTheScreenOncePerProcess) {
    ComputeLayoutScale();
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(g_layoutScaleDpiX, dpiX);
    EXPECT_EQ(LayoutScale, ScaleForScreen(GetSystemMetrics(SM_CYSCREEN), dpiY));

    const int32_t computed = LayoutScale;
    LayoutScale = 1;
    ComputeLayoutScale();
    EXPECT_EQ(LayoutScale, 1) << "a second call must keep the value of the first";
    LayoutScale = computed;
}
