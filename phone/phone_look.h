// The phone's look, shared by every screen: fonts scaled to the screen's dpi,
// colours, and the title strip with the clock at the top of each screen.
#ifndef QUELLOR_PHONE_PHONE_LOOK_H
#define QUELLOR_PHONE_PHONE_LOOK_H

#include <windows.h>

namespace phone {

constexpr COLORREF kHeaderBack = RGB(0x1c, 0x3f, 0x74);
constexpr COLORREF kHeaderText = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kScreenBack = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kText = RGB(0x10, 0x10, 0x10);
constexpr COLORREF kDimText = RGB(0x6a, 0x6a, 0x6a);
constexpr COLORREF kSelectBack = RGB(0x2f, 0x6f, 0xc8);
constexpr COLORREF kSelectText = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kRule = RGB(0xd8, 0xd8, 0xd8);
constexpr COLORREF kHoliday = RGB(0xc0, 0x20, 0x20);

struct PhoneLook {
    HFONT text;
    HFONT bold;
    HFONT small;
    int textHeight;  // pixels of one line in each font
    int smallHeight;
    int pad;  // the margin everything keeps, about 3 pixels at 96 dpi
};

// Created on first use and kept for the life of the process.
const PhoneLook &Look();

int HeaderHeight();
// The title strip: title on the left, the time on the right.
void DrawHeader(HDC dc, int width, const wchar_t *title);

void FillSolid(HDC dc, const RECT &rc, COLORREF colour);

}  // namespace phone

#endif
