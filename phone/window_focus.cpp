#include "window_focus.h"

#include "aygshell.h"
#include "phone_constants.h"

namespace phone {

void BringToFront(HWND app) {
    ShowWindow(app, SW_RESTORE);
    ShowWindow(app, SW_SHOW);
    HWND bar = SHFindMenuBar(app);
    if (bar) ShowWindow(bar, SW_SHOW);
    SetForegroundWindow(app);
}

void GoHome(HWND app) {
    HWND home = FindWindowW(kHomeClass, nullptr);
    if (home && home != app) BringToFront(home);
    SetWindowPos(app, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace phone
