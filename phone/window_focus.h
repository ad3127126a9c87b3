// Moving the phone's screens to the front and back, the way the phone's shell
// does when an application is opened again or the user presses Back.
#ifndef QUELLOR_PHONE_WINDOW_FOCUS_H
#define QUELLOR_PHONE_WINDOW_FOCUS_H

#include <windows.h>

namespace phone {

// Shows app restored, with its soft-key bar (both may have been hidden, for
// example by the lock agent), and makes it the foreground window.
void BringToFront(HWND app);

// Back in an application: the home screen comes to the front and app goes
// behind everything; it keeps running.
void GoHome(HWND app);

}  // namespace phone

#endif
