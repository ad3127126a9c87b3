// The layout scale read from the real screen of the phone this test runs in
// (its geometry comes from the test's registration, PHONE_SIZE and PHONE_DPI).
#include "layout_scale.h"
#include "scale_table.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(LayoutScaleOnThePhone, MatchesTheScreenItRunsOn) {
    const char *size = std::getenv("PHONE_SIZE");
    const char *dpi = std::getenv("PHONE_DPI");
    ASSERT_TRUE(size && dpi) << "run through CTest, which sets the phone's geometry";
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(size, "%dx%d", &width, &height), 2);
    const int dpiY = std::atoi(dpi);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), height) << "the phone has another screen";

    const ScaleCase *expected = nullptr;
    for (const ScaleCase &c : kScaleTable)
        if (c.screenHeight == height && c.dpiY == dpiY) expected = &c;
    ASSERT_NE(expected, nullptr) << "no expected scale for " << size << " at " << dpi;

    ComputeLayoutScale();
    EXPECT_EQ(LayoutScale, expected->scale);
    EXPECT_EQ(g_layoutScaleDpiX, dpiY) << "the phone's dpi is the same both ways";
}
