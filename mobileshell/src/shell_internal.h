// What the parts of the mobile-shell stand-in share with each other.
#ifndef QUELLOR_MOBILESHELL_SRC_SHELL_INTERNAL_H
#define QUELLOR_MOBILESHELL_SRC_SHELL_INTERNAL_H

#include <windows.h>

#include "aygshell.h"
#include "mobileshell.h"
#include "softkey_resource.h"
#include "tpcshell.h"
#include "window_order_differences.h"
#include "winuserm.h"

namespace mobileshell {

// The device's window class of a soft-key bar.
constexpr wchar_t kBarClass[] = L"menu_worker";
// Its height on a 96-dpi screen, scaled to the screen's.
constexpr int kBarHeight = 26;

// Posted to a bar by the key hook; run from the bar's window procedure so that
// nothing (a pop-up menu loop, an owner that ends its dialog) runs inside a hook.
constexpr UINT kMsgPressSoftKey = WM_APP + 1;  // wParam: button index
constexpr UINT kMsgNotifyKey = WM_APP + 2;     // wParam: vk, lParam: TRUE on key-up

// The threads of a program the stand-in serves at once: each has an entry
// for its hooks (key_hooks.cpp) and one for its window order's checks
// (window_order.cpp), both given back when the thread's last window goes.
constexpr int kMaxServedThreads = 64;

// Installs the thread's hooks once (input modes, window order) on a thread
// of this process; later calls for the same thread do nothing until its last
// window has gone.
void EnsureThreadHooks(DWORD threadId);
// A bar whose keys reach that thread came on the screen or left it: the
// thread's key hook is on while one is shown.
void CountShownBar(DWORD threadId, bool shown);

// What a key does for the bar of its window's root (menubar.cpp).
struct KeyDecision {
    bool consume;     // the original key message must not be seen by anyone
    int pressButton;  // button to press on key-down, or -1
    bool notify;      // the owner receives WM_HOTKEY for this key
};

// The bar owned by `root` when it belongs to this process, else 0.
HWND FindLocalBar(HWND root);
// False when the bar is busy (its pop-up menu is open): keys go to the menu.
// `commit` is false for a peek that leaves the message queued.
bool DecideKey(HWND bar, UINT vk, bool keyUp, bool commit, KeyDecision *out);

// While a bar's pop-up is tracked on this thread (key_hooks.cpp): a mouse
// that merely sits under the newly shown menu must not move its highlight.
void BeginMenuTracking();
void EndMenuTracking();

// EM_SETINPUTMODE seen by the thread's call hook (input_mode.cpp).
void ApplyInputMode(HWND edit, LPARAM mode);

bool IsEditControl(HWND hwnd);

// One line in the file MOBILESHELL_TRACE names, when it names one; false
// for a difference that MOBILESHELL_WITHOUT lists (env_switches.cpp).
void Trace(const char *format, ...) __attribute__((format(printf, 1, 2)));
bool Tracing();
bool Evens(Difference difference);

// A message box wider than the screen gets the screen's width, its text
// wrapped (message_box.cpp).
void FitMessageBox(HWND box);
// A top-level window about to be shown loses its caption's close box (caption.cpp).
void DropCloseBox(HWND window);

// The phone's window order (window_order.cpp), from the thread hooks of the
// window concerned.
bool IsBarWindow(HWND window);
bool RefusesActivation(HWND window);                           // HCBT_ACTIVATE
bool RefusesFocus(HWND window);                                // HCBT_SETFOCUS
void BeforePositionChange(HWND window, const WINDOWPOS &pos);  // WM_WINDOWPOSCHANGING
void AfterPositionChange(HWND window);                         // WM_WINDOWPOSCHANGED
void OnActivate(HWND window, bool active);                     // WM_ACTIVATE
void OnNcActivate(HWND window, bool active);                   // WM_NCACTIVATE
void OnActivateApp(bool active);                               // WM_ACTIVATEAPP
void OnRepaint(HWND window);                                   // WM_PAINT
// The calling thread's last window is going: its checks stop, its slot is free.
void ForgetThreadsWatch();
// WM_WINDOWPOSCHANGING of a full-screen dialog (dialog.cpp): a window that is
// not on the screen stays off it and inactive when it is minimised or moved.
void KeepOffScreenWindowOff(HWND window, WINDOWPOS &pos);

}  // namespace mobileshell

#endif
