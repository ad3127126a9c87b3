// How the phone's screens must stand, as the scenario tests of the phone
// stand-ins check it from outside.
#ifndef QUELLOR_TESTS_PHONE_PHONE_SCREEN_H
#define QUELLOR_TESTS_PHONE_PHONE_SCREEN_H

#include <windows.h>

namespace phonetest {

// The window covers the screen's width from the top down to its soft-key bar,
// which is visible, runs along the bottom of the screen and sits right above
// the window in the window order.
void ExpectFullScreenAboveBar(HWND hwnd);

}  // namespace phonetest

#endif
