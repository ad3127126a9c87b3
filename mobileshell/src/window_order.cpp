// The phone's window order, kept by the stand-in. On the device a soft-key bar
// belongs to its owner's screen: it never takes the activation, it sits right
// above its owner and goes down with it, nothing covers a topmost window, and
// the window in front is drawn active. Wine in a virtual desktop differs;
// window_order_differences.h lists each difference, what evens it out and
// the test that guards it, and the code here names them by their numbers.
//
// How the parts work together. Every thread that has a bar or a full-screen
// dialog carries the thread hooks of key_hooks.cpp, which hand this file what
// they see: the CBT hook asks for activations and focus to be decided, the
// call hook reports moves, activations and frames, and the message hook, on
// while one of the thread's bars is on the screen, reports repaints. A
// full-screen dialog's own procedure, in front of which the shell stands
// (dialog.cpp), changes its moves before they are made. These act at once,
// on the thread that owns the windows, since Wine delivers those messages
// there; what they cannot see is left to the thread's ticks (the table in
// window_order_differences.h).
#include "shell_internal.h"

namespace mobileshell {
namespace {

constexpr wchar_t kWantsTopmostProp[] = L"MobileShell.WantsTopmost";
// Set while the window's frame was last told to draw itself inactive.
constexpr wchar_t kDrawnInactiveProp[] = L"MobileShell.DrawnInactive";
constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
constexpr int kMaxOwned = 16;
constexpr int kMaxTopmost = 32;
constexpr int kMaxLifted = 16;
// Each further move of a bar answers one move of another thread meanwhile.
constexpr int kMaxBarMoves = 3;

// 11: posted to the thread itself and taken at once.
constexpr UINT kMsgFreshTime = WM_APP + 3;

// The checks a thread with bars has due, and its ticks.
struct Watch {
    // Written under g_watchesLock: when the slot is claimed, and when the
    // thread's last window goes and the slot is given back.
    DWORD thread;
    // Everything below belongs to that thread alone: its hooks, its timer and
    // its WinEvent callback all run on it, so no lock is taken for them.
    UINT_PTR timer;
    HWINEVENTHOOK others;  // other programs' focus and new windows (6)
    int tick;
    bool slow;        // the timer runs every kTickScheduleMs (the slow watch of 6)
    bool keepsOnTop;  // has its topmost windows kept on the screen (6)
    bool restacking;
    bool restackDue;  // 6
    bool activeDue;   // 3
    bool frameDue;    // 7
    bool belowDue;    // 12
    HWND lostTo;      // 12: the other program's window the thread lost the front to
};
Watch g_watches[kMaxServedThreads];
SRWLOCK g_watchesLock = SRWLOCK_INIT;

// This thread's slot, claimed on first use; null when all are taken.
Watch *ThisThreadsWatch() {
    const DWORD self = GetCurrentThreadId();
    Watch *found = nullptr;
    AcquireSRWLockExclusive(&g_watchesLock);
    for (Watch &w : g_watches) {
        if (w.thread == self) found = &w;
    }
    for (int i = 0; !found && i < kMaxServedThreads; ++i) {
        if (g_watches[i].thread == 0) {
            g_watches[i] = Watch{};
            g_watches[i].thread = self;
            found = &g_watches[i];
        }
    }
    ReleaseSRWLockExclusive(&g_watchesLock);
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
// the topmost mark off a bar already right above it. False when the bar is
// there already.
bool PutBarAbove(HWND bar, HWND owner) {
    const bool topmost = IsTopmost(owner);
    HWND above = GetWindow(owner, GW_HWNDPREV);
    if (above == bar) {
        if (IsTopmost(bar) == topmost) return false;
        above = GetWindow(bar, GW_HWNDPREV);  // the same place, marked as the owner is
    }
    HWND after = above            ? above
                 : topmost        ? HWND_TOPMOST
                 : IsTopmost(bar) ? HWND_NOTOPMOST  // which moves only a topmost window
                                  : HWND_TOP;
    Trace("bar %p follows %p, put after %p", bar, owner, after);
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, 0);
    SetWindowPos(bar, after, 0, 0, 0, 0, kKeep);
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    return true;
}

// The window read as the one above the owner may be another program's, whose
// thread can move it before the bar is put after it: the bar would land
// wherever that window went, and nothing would move it back. So the bar is
// moved again until it is found right above its owner.
void FollowOwner(HWND bar, HWND owner) {
    for (int i = 0; i < kMaxBarMoves && PutBarAbove(bar, owner); ++i) {
    }
}

// 8: a bar, or a window with a bar, that was repainted.
void PutBarBack(HWND window) {
    if (!Evens(kBarPutBack)) return;
    if (IsBarWindow(window)) {
        HWND owner = GetWindow(window, GW_OWNER);  // 0 while FollowOwner moves it
        if (owner && IsWindow(owner)) FollowOwner(window, owner);
    } else if (IsTopLevel(window)) {
        if (HWND bar = FindLocalBar(window)) FollowOwner(bar, window);
    }
}

// 7: true once nothing is left to redraw.
bool RedrawActiveFrame() {
    HWND active = GetActiveWindow();
    if (!active || !GetPropW(active, kDrawnInactiveProp)) return true;
    if (active != GetForegroundWindow()) return false;
    Trace("front window %p drawn active", active);
    SendMessageW(active, WM_NCACTIVATE, TRUE, 0);
    return true;
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

// 6: from the bottom up each goes on top, so the order ends as it was and the
// screen shows it.
void Restack(Watch &watch) {
    if (watch.restacking) return;
    watch.restacking = true;
    TopmostWindows topmost = ThreadTopmostWindows();
    Trace("restack tick %d: %d topmost", watch.tick, topmost.count);
    for (int i = topmost.count - 1; i >= 0; --i) {
        if (IsWindow(topmost.windows[i])) PutOnTop(topmost.windows[i]);
    }
    watch.restacking = false;
}

// 11: the thread's message time becomes now, so that the focus Wine gives
// the window right after WM_ACTIVATE asks X with a time X accepts.
void TakeFreshMessage() {
    PostThreadMessageW(GetCurrentThreadId(), kMsgFreshTime, 0, 0);
    MSG fresh;
    PeekMessageW(&fresh, reinterpret_cast<HWND>(-1), kMsgFreshTime, kMsgFreshTime, PM_REMOVE);
    Trace("message time %ld taken for the focus", GetMessageTime());
}

// The foreground window if another thread owns it, else null.
HWND OthersFront() {
    HWND front = GetForegroundWindow();
    if (front && GetWindowThreadProcessId(front, nullptr) == GetCurrentThreadId()) return nullptr;
    return front;
}

// 3: true once the thread's active window is in front or has been given
// back. An activation taken while the front was changing hands, and then lost
// to another program, leaves the window active behind that program: when it
// is brought to the front later, Wine sees it already active and says
// nothing, so it is neither raised (1) nor drawn active (7).
bool GiveBackActivationLost() {
    HWND active = GetActiveWindow();
    if (!active || active == GetForegroundWindow()) return true;
    HWND front = OthersFront();
    if (!front) return false;
    Trace("%p active behind the front window %p: given back", active, front);
    SetActiveWindow(nullptr);
    return true;
}

// 12: the window the thread's windows stay below: the one it lost the front
// to while that is on the screen, else the one in front. A window lifted
// while a third program is in front sits between the two, unseen, and would
// take the front when the third goes away (Wine hands it to the next window).
HWND KeptBelow(const Watch &watch) {
    HWND anchor = watch.lostTo;
    if (!anchor || !IsWindow(anchor) || !IsWindowVisible(anchor)) anchor = OthersFront();
    if (!anchor || !IsTopLevel(anchor) || IsTopmost(anchor)) return nullptr;
    return anchor;
}

// 12: this thread's windows above that window, none of them active here,
// were lifted by Wine on an exposure read late. Each goes back right below
// it, and its bar follows (4). The thread's active window is left alone: it
// is coming to the front itself.
void PutBackBelow(const Watch &watch) {
    HWND anchor = KeptBelow(watch);
    if (!anchor) return;
    const DWORD self = GetCurrentThreadId();
    HWND active = GetActiveWindow();
    HWND lifted[kMaxLifted];
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w && w != anchor && count < kMaxLifted;
         w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w) || IsTopmost(w) || GetWindowThreadProcessId(w, nullptr) != self)
            continue;
        // A bar stands for its owner; other owned windows go with theirs.
        HWND top = IsBarWindow(w) ? GetWindow(w, GW_OWNER) : w;
        if (!top || top == active || GetWindow(top, GW_OWNER)) continue;
        bool seen = false;
        for (int i = 0; i < count; ++i) seen = seen || lifted[i] == top;
        if (!seen) lifted[count++] = top;
    }
    for (int i = 0; i < count; ++i) {
        // That window may be made topmost meanwhile (the lock prompt is, a
        // moment after it shows): nothing that is not is above it then.
        if (IsTopmost(anchor)) return;
        Trace("%p put back below %p", lifted[i], anchor);
        SetWindowPos(lifted[i], anchor, 0, 0, 0, 0, kKeep);
        // Put after a window that had just become topmost, Wine makes it
        // topmost too, and it would cover every program from then on.
        if (IsTopmost(lifted[i])) {
            Trace("%p was made topmost with it: taken back", lifted[i]);
            SetWindowPos(lifted[i], HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
        }
    }
}

// 6: another program is in front of this thread's topmost windows, and so
// may yet be drawn over them: a program kept from running sends its X
// requests late, after any schedule.
bool CoveredByAnotherProgram() {
    return OthersFront() && ThreadTopmostWindows().count > 0;
}

void StopTicks(Watch &watch) {
    KillTimer(nullptr, watch.timer);
    watch.timer = 0;
    watch.slow = false;
    watch.restackDue = watch.frameDue = watch.belowDue = watch.activeDue = false;
    watch.lostTo = nullptr;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Watch *watch = ThisThreadsWatch();
    if (!watch) return;
    if (watch->slow) {
        Restack(*watch);
    } else if (++watch->tick <= kLastTick && (watch->tick & (watch->tick - 1)) == 0) {
        // a power of two
        if (watch->restackDue) Restack(*watch);
        if (watch->frameDue && RedrawActiveFrame()) watch->frameDue = false;
        if (watch->activeDue && GiveBackActivationLost()) watch->activeDue = false;
        if (watch->belowDue) PutBackBelow(*watch);
    }
    if (!watch->restackDue && !watch->frameDue && !watch->belowDue && !watch->activeDue) {
        StopTicks(*watch);
    } else if (watch->tick >= kLastTick) {
        // Past the schedule only the slow watch of 6 goes on, while it is needed.
        if (!watch->restackDue || !CoveredByAnotherProgram()) {
            StopTicks(*watch);
        } else if (!watch->slow) {
            KillTimer(nullptr, watch->timer);
            watch->timer = SetTimer(nullptr, 0, kTickScheduleMs, OnTick);
            watch->slow = true;
            watch->frameDue = watch->belowDue = watch->activeDue = false;
            watch->lostTo = nullptr;
        }
    }
}

// Hooks and event callbacks only start the ticks: the moves run from the
// message loop, not inside another window's activation.
void StartTicks(Watch &watch) {
    watch.tick = 0;
    if (watch.slow) {
        KillTimer(nullptr, watch.timer);
        watch.timer = 0;
        watch.slow = false;
    }
    if (!watch.timer) watch.timer = SetTimer(nullptr, 0, kTickMs, OnTick);
}

// 12: an exposure this thread reads from now on may be a late one.
void WatchLateExposures() {
    if (!Evens(kLateExposureUndone)) return;
    Watch *watch = ThisThreadsWatch();
    if (!watch) return;
    watch->belowDue = true;
    if (!watch->lostTo) watch->lostTo = OthersFront();
    StartTicks(*watch);
}

// 3: the front may still go to another program that was taking it.
void WatchActivationTaken() {
    Watch *watch = ThisThreadsWatch();
    if (!watch) return;
    watch->activeDue = true;
    StartTicks(*watch);
}

// 6: something may be drawn over this thread's topmost windows soon.
void KeepOnTop() {
    Watch *watch = ThisThreadsWatch();
    if (!watch || !watch->keepsOnTop || ThreadTopmostWindows().count == 0) return;
    watch->restackDue = true;
    StartTicks(*watch);
}

// 6: another program's window took the focus, or a new top-level window came.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (!window) return;
    if (event == EVENT_OBJECT_FOCUS ||
        (event == EVENT_OBJECT_CREATE && object == OBJID_WINDOW && IsTopLevel(window)))
        KeepOnTop();
}

// 6: the thread of a topmost window with a bar (the lock prompt's) keeps its
// topmost windows on the screen from then on.
void StartKeepingOnTop() {
    if (!Evens(kTopmostStaysOnScreen)) return;
    Watch *watch = ThisThreadsWatch();
    if (!watch || watch->keepsOnTop) return;
    watch->keepsOnTop = true;
    // Events of every program, delivered to this thread's message loop.
    watch->others = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_FOCUS, nullptr, OnWinEvent, 0,
                                    0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNTHREAD);
    KeepOnTop();
}

// Wine's mark on a move that minimises, maximises or restores a window.
constexpr UINT kSwpStateChanged = 0x8000;

}  // namespace

// 9 and 10: a window that is not on the screen stays off it and inactive.
void KeepOffScreenWindowOff(HWND window, WINDOWPOS &pos) {
    if (IsWindowVisible(window) || !IsTopLevel(window)) return;
    if ((pos.flags & SWP_SHOWWINDOW) && (pos.flags & kSwpStateChanged) && IsIconic(window) &&
        Evens(kMinimisedStaysOff))
        pos.flags &= ~SWP_SHOWWINDOW;  // 9
    if (!(pos.flags & SWP_SHOWWINDOW) && Evens(kHiddenMovedInactive))
        pos.flags |= SWP_NOACTIVATE;  // 10
}

bool IsBarWindow(HWND window) {
    wchar_t cls[16];
    return window && GetClassNameW(window, cls, 16) && lstrcmpW(cls, kBarClass) == 0;
}

namespace {

// For the trace: the windows on the screen in Wine's order, top first, near
// the moment Wine chose the window it hands the activation to (it takes the
// next one in its order after the window that went away).
void TraceOrder() {
    if (!Tracing()) return;
    char windows[900] = "";
    int n = 0;
    for (HWND w = GetTopWindow(nullptr); w && n < 880; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w)) n += wsprintfA(windows + n, " %p", w);
    Trace("Wine's order, top first:%s", windows);
}

bool RefusesLateActivation(HWND window) {
    // 3: Wine's choice comes as a notification from another thread.
    if (!(InSendMessageEx(nullptr) & ISMEX_NOTIFY)) return false;
    const bool late = OthersFront() != nullptr;
    Trace("notified activation of %p, foreground %p: %s", window, GetForegroundWindow(),
          late ? "refused" : "taken");
    if (!late) TraceOrder();
    if (late) WatchLateExposures();  // 12: this thread has been kept from running
    if (!Evens(kLateActivationRefused)) return false;
    if (!late) WatchActivationTaken();
    return late;
}

}  // namespace

bool RefusesActivation(HWND window) {
    if (IsBarWindow(window)) return Evens(kBarsNeverActive);  // 2
    if (!window) return false;
    return RefusesLateActivation(window);
}

bool RefusesFocus(HWND window) {
    return IsBarWindow(window) && Evens(kBarsNeverActive);  // 2
}

void BeforePositionChange(HWND window, const WINDOWPOS &pos) {
    // 5: only a window with a bar above it is left unmarked.
    if (!(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter == HWND_TOPMOST &&
        Evens(kTopmostUnderItsBar) && FindLocalBar(window))
        SetPropW(window, kWantsTopmostProp, reinterpret_cast<HANDLE>(1));
}

void AfterPositionChange(HWND window) {
    if (!IsTopLevel(window) || IsBarWindow(window)) return;
    HWND bar = FindLocalBar(window);
    if (RemovePropW(window, kWantsTopmostProp) && !IsTopmost(window)) PutOnTop(window);  // 5
    if (!bar) return;
    if (Evens(kBarFollowsToBottom)) FollowOwner(bar, window);               // 4, whatever moved
    if (IsTopmost(window) && IsWindowVisible(window)) StartKeepingOnTop();  // 6
}

void OnActivate(HWND window, bool active) {
    Trace("activate %p %d", window, active);
    if (!active || !IsTopLevel(window) || IsBarWindow(window)) return;
    // 11: only Wine's choice (a notification) comes with a stale time; the
    // thread's own activations keep their focus untouched.
    if (Evens(kXFocusFollows) && (InSendMessageEx(nullptr) & ISMEX_NOTIFY)) TakeFreshMessage();
    // 6: the window another program raised a moment before (the one Wine
    // handed the activation to as this one came up) may reach the screen
    // after this thread's topmost windows did.
    KeepOnTop();
    if (!Evens(kActivationRaises)) return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kKeep);  // 1
    // A window already first does not move and hears nothing of it.
    if (HWND bar = FindLocalBar(window)) FollowOwner(bar, window);
}

void OnNcActivate(HWND window, bool active) {
    if (!IsTopLevel(window)) return;
    if (active) {
        RemovePropW(window, kDrawnInactiveProp);
        return;
    }
    SetPropW(window, kDrawnInactiveProp, reinterpret_cast<HANDLE>(1));
    // 7: the foreground may follow without a word.
    if (!Evens(kFrontDrawnActive)) return;
    if (Watch *watch = ThisThreadsWatch()) {
        watch->frameDue = true;
        StartTicks(*watch);
    }
}

void OnRepaint(HWND window) {
    PutBarBack(window);  // 8
    // 12: a repaint in the background may come from an exposure read late.
    if (OthersFront()) WatchLateExposures();
}

void ForgetThreadsWatch() {
    const DWORD self = GetCurrentThreadId();
    AcquireSRWLockExclusive(&g_watchesLock);
    for (Watch &w : g_watches) {
        if (w.thread != self) continue;
        // The timer and the WinEvent hook are the thread's own, taken off on it.
        if (w.timer) KillTimer(nullptr, w.timer);
        if (w.others) UnhookWinEvent(w.others);
        w = Watch{};
    }
    ReleaseSRWLockExclusive(&g_watchesLock);
}

void OnActivateApp(bool active) {
    Trace("activate app %d, foreground %p", active, GetForegroundWindow());
    if (active) {
        if (Watch *watch = ThisThreadsWatch()) watch->lostTo = nullptr;  // 12: the front is back
        return;
    }
    KeepOnTop();           // 6: another program has the front now; X will draw it on top
    WatchLateExposures();  // 12
}

}  // namespace mobileshell
