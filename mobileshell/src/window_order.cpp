// The phone's window order, kept by the stand-in. On the device a soft-key bar
// belongs to its owner's screen: it never takes the activation, it sits right
// above its owner and goes down with it, and nothing covers a topmost window.
// Wine in a virtual desktop differs in six ways, evened out here:
//  - an activated window does not come to the top of the window order: it
//    is moved there, as the device does;
//  - it may activate a bar (the next window in z-order after the front
//    program ends): bars are disabled windows, which it passes over, and the
//    CBT hook refuses them the activation and the focus when a program asks;
//  - the activation it gives a window when the one in front goes away reaches
//    that window's program later, possibly after another program has come to
//    the front (the lock prompt over a hidden application); taken then, it
//    would give the window the X focus, and X's focus event the foreground:
//    it is refused when another program's window is in front by then;
//  - an owner sent to the bottom leaves its bar behind: the bar follows;
//  - SetWindowPos(HWND_TOPMOST) on a window whose bar is above it moves the
//    bar to the top but leaves the window itself unmarked: the move is made
//    again with the bar let go of;
//  - X draws a window that takes the focus, or is created, above all others,
//    topmost ones included, though Wine's order has it below them: the
//    thread's topmost windows are put on top of the screen again.
// Wine also moves windows without telling them: a window X exposes is put
// above the ones covering it, and two programs moving a window and its bar
// at the same moment can interleave. So each thread with bars also checks
// them a few times a second.
#include "shell_internal.h"

namespace mobileshell {
namespace {

constexpr wchar_t kWantsTopmostProp[] = L"MobileShell.WantsTopmost";
// Set while the window's frame was last told to draw itself inactive.
constexpr wchar_t kDrawnInactiveProp[] = L"MobileShell.DrawnInactive";
constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
constexpr int kMaxOwned = 16;
constexpr int kMaxTopmost = 32;
constexpr UINT kBarCheckMs = 200;

// What X puts on top reaches the screen a moment after Wine reports it: the
// other program sends its X requests when it next waits, and takes the focus
// only after this thread has been told it lost the foreground. So the topmost
// windows go on top again on ticks 1, 2, 4, ... 32 of a 50 ms timer after
// each report, up to 1.6 s, from the thread's message loop.
constexpr UINT kTickMs = 50;
constexpr int kLastTick = 32;

// A thread that keeps its topmost windows on the screen: one whose bar's
// owner has been topmost (the lock prompt's). Few threads of a program ever
// are; the timer belongs to the thread.
struct Keeper {
    DWORD thread;
    UINT_PTR timer;
    int tick;
    bool restacking;
};
constexpr int kMaxKeepers = 8;
Keeper g_keepers[kMaxKeepers];
SRWLOCK g_keepersLock = SRWLOCK_INIT;

Keeper *KeeperOf(DWORD thread, bool create) {
    Keeper *found = nullptr;
    AcquireSRWLockExclusive(&g_keepersLock);
    for (Keeper &k : g_keepers) {
        if (k.thread == thread) found = &k;
    }
    if (!found && create) {
        for (Keeper &k : g_keepers) {
            if (k.thread == 0) {
                k = Keeper{thread, 0, 0, false};
                found = &k;
                break;
            }
        }
    }
    ReleaseSRWLockExclusive(&g_keepersLock);
    return found;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool IsTopLevel(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

struct OwnedWindows {
    HWND owner;
    HWND windows[kMaxOwned];
    int count;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM param) {
    auto *owned = reinterpret_cast<OwnedWindows *>(param);
    if (owned->count < kMaxOwned && GetWindow(window, GW_OWNER) == owned->owner)
        owned->windows[owned->count++] = window;
    return TRUE;
}

// Moves window to the very top as a real move, which is what makes Wine put
// it on top of the screen too. Its owned windows (of this thread) are let go
// of meanwhile, so Wine neither moves them first nor leaves window unmarked;
// they end up below it, and their own turn (or the bar's following) puts
// them back above.
void PutOnTop(HWND window) {
    OwnedWindows owned = {window, {}, 0};
    EnumThreadWindows(GetCurrentThreadId(), CollectOwned, reinterpret_cast<LPARAM>(&owned));
    for (int i = 0; i < owned.count; ++i) SetWindowLongPtrW(owned.windows[i], GWLP_HWNDPARENT, 0);
    // A move to where the window already is changes nothing on the screen.
    if (!GetWindow(window, GW_HWNDPREV)) {
        if (HWND next = GetWindow(window, GW_HWNDNEXT))
            SetWindowPos(window, next, 0, 0, 0, 0, kKeep);
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeep);
    for (int i = 0; i < owned.count; ++i)
        SetWindowLongPtrW(owned.windows[i], GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

// The bar goes right above its owner, topmost when the owner is. It is let
// go of for the move: Wine would otherwise turn every place asked for into
// "where it is", to keep an owned window above its owner, and so never take
// the topmost mark off a bar already right above it.
void FollowOwner(HWND bar, HWND owner) {
    const bool topmost = IsTopmost(owner);
    HWND above = GetWindow(owner, GW_HWNDPREV);
    if (above == bar) {
        if (IsTopmost(bar) == topmost) return;
        above = GetWindow(bar, GW_HWNDPREV);  // the same place, marked as the owner is
    }
    HWND after = above            ? above
                 : topmost        ? HWND_TOPMOST
                 : IsTopmost(bar) ? HWND_NOTOPMOST  // which moves only a topmost window
                                  : HWND_TOP;
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, 0);
    SetWindowPos(bar, after, 0, 0, 0, 0, kKeep);
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

BOOL CALLBACK PutBarOverOwner(HWND window, LPARAM) {
    if (IsBarWindow(window)) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && IsWindow(owner)) FollowOwner(window, owner);
    }
    return TRUE;
}

// Wine activates a window that is shown before its thread has the foreground
// with WM_NCACTIVATE(FALSE) (the flag says "is foreground"), and says nothing
// when the foreground follows a moment later: the active window in front
// keeps an inactive caption. The phone draws its front window active.
void RedrawActiveFrame() {
    HWND active = GetActiveWindow();
    if (active && active == GetForegroundWindow() && GetPropW(active, kDrawnInactiveProp))
        SendMessageW(active, WM_NCACTIVATE, TRUE, 0);
}

void CALLBACK CheckBars(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), PutBarOverOwner, 0);
    RedrawActiveFrame();
}

struct TopmostWindows {
    HWND windows[kMaxTopmost];  // top to bottom
    int count;
};

bool IsPopupMenu(HWND window) {
    wchar_t cls[16];
    return GetClassNameW(window, cls, 16) && lstrcmpW(cls, L"#32768") == 0;
}

// This thread's visible topmost windows, in z-order. An open pop-up menu is
// left to its menu loop.
TopmostWindows ThreadTopmostWindows() {
    TopmostWindows found = {{}, 0};
    const DWORD self = GetCurrentThreadId();
    for (HWND w = GetTopWindow(nullptr); w && IsTopmost(w) && found.count < kMaxTopmost;
         w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == self && !IsPopupMenu(w))
            found.windows[found.count++] = w;
    }
    return found;
}

// From the bottom up each goes on top, so the order ends as it was and the
// screen shows it.
void Restack(Keeper &keeper) {
    if (keeper.restacking) return;
    keeper.restacking = true;
    TopmostWindows topmost = ThreadTopmostWindows();
    for (int i = topmost.count - 1; i >= 0; --i) {
        if (IsWindow(topmost.windows[i])) PutOnTop(topmost.windows[i]);
    }
    keeper.restacking = false;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Keeper *keeper = KeeperOf(GetCurrentThreadId(), false);
    if (!keeper) return;
    ++keeper->tick;
    if ((keeper->tick & (keeper->tick - 1)) == 0) Restack(*keeper);  // a power of two
    if (keeper->tick >= kLastTick) {
        KillTimer(nullptr, keeper->timer);
        keeper->timer = 0;
    }
}

// Something may be drawn over this thread's topmost windows soon. Hooks and
// event callbacks only start the ticks: the moves run from the message loop,
// not inside another window's activation.
void KeepOnTop() {
    Keeper *keeper = KeeperOf(GetCurrentThreadId(), false);
    if (!keeper || ThreadTopmostWindows().count == 0) return;
    keeper->tick = 0;
    if (!keeper->timer) keeper->timer = SetTimer(nullptr, 0, kTickMs, OnTick);
}

// Another program's window took the focus, or a new top-level window came.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (!window) return;
    if (event == EVENT_OBJECT_FOCUS ||
        (event == EVENT_OBJECT_CREATE && object == OBJID_WINDOW && IsTopLevel(window)))
        KeepOnTop();
}

// The thread of a topmost window with a bar (the lock prompt's) keeps its
// topmost windows on the screen from then on.
void StartKeepingOnTop() {
    const DWORD self = GetCurrentThreadId();
    if (KeeperOf(self, false) || !KeeperOf(self, true)) return;
    // Events of every program, delivered to this thread's message loop.
    SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS, nullptr, OnWinEvent, 0, 0,
                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNTHREAD);
}

// Wine's mark on a move that minimises, maximises or restores a window.
constexpr UINT kSwpStateChanged = 0x8000;

}  // namespace

// The phone has no minimised windows to show: a minimised window goes behind
// the desktop. So a window that is not on the screen stays off it when it is
// minimised (Wine would show it as an icon), and is not made the foreground
// by a move in the window order (Wine would take the foreground from the
// program in front for a window nobody can see).
void KeepOffScreenWindowOff(HWND window, WINDOWPOS &pos) {
    if (IsWindowVisible(window) || !IsTopLevel(window)) return;
    if ((pos.flags & SWP_SHOWWINDOW) && (pos.flags & kSwpStateChanged) && IsIconic(window))
        pos.flags &= ~SWP_SHOWWINDOW;
    if (!(pos.flags & SWP_SHOWWINDOW)) pos.flags |= SWP_NOACTIVATE;
}

bool IsBarWindow(HWND window) {
    wchar_t cls[16];
    return window && GetClassNameW(window, cls, 16) && lstrcmpW(cls, kBarClass) == 0;
}

bool RefusesActivation(HWND window) {
    if (IsBarWindow(window)) return true;
    // The system's choice reaches this thread as a notification from the
    // thread whose window went away.
    if (!window || !(InSendMessageEx(nullptr) & ISMEX_NOTIFY)) return false;
    HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) != GetCurrentThreadId();
}

void BeforePositionChange(HWND window, const WINDOWPOS &pos) {
    // Only a window with a bar above it is left unmarked (see the top).
    if (!(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_TOPMOST && FindLocalBar(window))
        SetPropW(window, kWantsTopmostProp, reinterpret_cast<HANDLE>(1));
}

void AfterPositionChange(HWND window) {
    if (!IsTopLevel(window) || IsBarWindow(window)) return;
    HWND bar = FindLocalBar(window);
    if (RemovePropW(window, kWantsTopmostProp) && !IsTopmost(window)) PutOnTop(window);
    if (!bar) return;
    // Checked whatever moved: another program's moves can come between the
    // two without this window moving at all.
    FollowOwner(bar, window);
    if (IsTopmost(window) && IsWindowVisible(window)) StartKeepingOnTop();
}

void OnActivate(HWND window, bool active) {
    if (!active || !IsTopLevel(window) || IsBarWindow(window)) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kKeep);
    // A window already first does not move and hears nothing of it.
    if (HWND bar = FindLocalBar(window)) FollowOwner(bar, window);
}

void OnNcActivate(HWND window, bool active) {
    if (!IsTopLevel(window)) return;
    if (active)
        RemovePropW(window, kDrawnInactiveProp);
    else
        SetPropW(window, kDrawnInactiveProp, reinterpret_cast<HANDLE>(1));
}

void StartCheckingBars() {
    SetTimer(nullptr, 0, kBarCheckMs, CheckBars);
}

void OnActivateApp(bool active) {
    // Another program has the foreground now; X will draw it on top.
    if (!active) KeepOnTop();
}

}  // namespace mobileshell
