// The frame every phone screen runs in: one top-level window of the class the
// outside world looks for, full screen above its soft-key bar, a title strip,
// one content window under it, and the phone's single-instance behaviour.
#ifndef QUELLOR_PHONE_APP_FRAME_H
#define QUELLOR_PHONE_APP_FRAME_H

#include <windows.h>

namespace phone {

struct AppDescription {
    const wchar_t *windowClass;
    const wchar_t *title;
    UINT barId;  // soft-key bar resource
    // The content under the title strip; the frame sizes it.
    HWND (*createContent)(HWND frame);
    // Left soft key "Открыть", Enter and double click.
    void (*open)(HWND content, HWND frame);
    // Called once the frame is on the screen; may be null.
    void (*started)(HWND frame);
    // Back in an application returns to the home screen; the home screen
    // itself ignores it.
    bool backGoesHome;
};

// Shows text as a page of its own over the content, with heading in the title
// strip, until the user presses Back. The texts must outlive the page (static).
void ShowDetailPage(HWND frame, const wchar_t *heading, const wchar_t *text);

// Runs the screen until its window is closed and returns the exit code (0).
// When a window of the same class already exists, brings that one to the
// front instead and returns 0 at once.
int RunPhoneApp(HINSTANCE instance, const AppDescription &app);

}  // namespace phone

#endif
