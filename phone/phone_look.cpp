#include "phone_look.h"

#include <cwchar>

namespace phone {
namespace {

HFONT MakeFont(int points, int dpi, int weight) {
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(lf.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&lf);
}

int LineHeight(HDC dc, HFONT font) {
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    return tm.tmHeight;
}

PhoneLook MakeLook() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    PhoneLook look = {};
    look.text = MakeFont(9, dpi, FW_NORMAL);
    look.bold = MakeFont(9, dpi, FW_BOLD);
    look.small = MakeFont(8, dpi, FW_NORMAL);
    look.textHeight = LineHeight(dc, look.bold);
    look.smallHeight = LineHeight(dc, look.small);
    look.pad = MulDiv(3, dpi, 96);
    ReleaseDC(nullptr, dc);
    return look;
}

// Only the user-interface thread draws, so a plain flag is enough (and keeps
// the C++ library's thread-safe static guards out of the program).
PhoneLook g_look;
bool g_lookMade = false;

}  // namespace

const PhoneLook &Look() {
    if (!g_lookMade) {
        g_look = MakeLook();
        g_lookMade = true;
    }
    return g_look;
}

int HeaderHeight() {
    return Look().textHeight + 2 * Look().pad;
}

void FillSolid(HDC dc, const RECT &rc, COLORREF colour) {
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void DrawHeader(HDC dc, int width, const wchar_t *title) {
    const PhoneLook &look = Look();
    RECT rc = {0, 0, width, HeaderHeight()};
    FillSolid(dc, rc, kHeaderBack);

    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t clock[8];
    wsprintfW(clock, L"%02u:%02u", now.wHour, now.wMinute);

    HGDIOBJ old = SelectObject(dc, look.bold);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHeaderText);
    InflateRect(&rc, -2 * look.pad, 0);
    DrawTextW(dc, clock, -1, &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SIZE clockSize = {};
    GetTextExtentPoint32W(dc, clock, static_cast<int>(wcslen(clock)), &clockSize);
    rc.right -= clockSize.cx + 2 * look.pad;
    DrawTextW(dc, title, -1, &rc,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

}  // namespace phone
