// What the phone's screen shows, read from the display (what X draws, not
// what the window order says), and kept as a picture for a person to look at.
#ifndef QUELLOR_TESTS_SUPPORT_SCREEN_H
#define QUELLOR_TESTS_SUPPORT_SCREEN_H

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// The pixels of area of the screen as 0x00RRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> rgb;
    DWORD At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};
Pixels ScreenArea(const RECT &area);
// The whole screen.
Pixels ScreenPixels();
// Writes a BMP of the screen into the screenshot folder (QUELLOR_SCREENS, or
// "screens" beside the test); returns its path.
std::wstring SaveScreen(const std::string &name);

}  // namespace harness

#endif
