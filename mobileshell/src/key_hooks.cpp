// Per-thread hooks that give a desktop keyboard the phone's keys:
//  - WH_GETMESSAGE, only while one of the bars whose keys reach the thread is
//    on the screen (Wine asks its server for the hook chain on every message
//    a hooked thread takes, each caret blink of a hidden dialog's field
//    included): F1/F2 (soft keys) and overridden keys such as Esc (Back)
//    aimed at a window whose root has a bar on the screen become the bar's
//    action; the original message is turned into WM_NULL so the dialog
//    manager never sees it (no IDCANCEL from Back). Actions are posted to the
//    bar, never run here. Up/Down in a one-line field of such a dialog move to
//    the previous/next field. Repaints go to the window order.
//  - WH_CALLWNDPROC: EM_SETINPUTMODE sent to an EDIT switches its input mode;
//    moves, activations and frames go to the window order; a window about to
//    show loses its close box, and a message box is fitted to the screen.
//  - WH_CBT: the window order decides activations and the keyboard focus.
//  - WH_MSGFILTER, only while a bar's pop-up is open: a mouse that has not
//    moved does not take the highlight off the first item (Wine sends a mouse
//    move when the menu appears under the cursor). Installed for good it would
//    see every message a dialog's loop takes, the blinking caret's included.
// The window order is window_order.cpp; its differences, and which hook sees
// each, are listed in window_order_differences.h.
#include "shell_internal.h"

#include <utility>

namespace mobileshell {
namespace {

// The threads whose hooks are installed. Any thread may ask for another's
// (a full-screen dialog of another thread); the table is read and written
// only with g_lock held. A thread's entry goes, and its hooks with it, when
// its last window goes: thread ids are reused, and a new thread that found a
// dead one's entry would get no hooks.
struct HookedThread {
    DWORD id;
    HHOOK calls;
    HHOOK cbt;
    HHOOK keys;     // WH_GETMESSAGE while shownBars > 0
    int shownBars;  // bars on the screen that this thread's keys reach
};
SRWLOCK g_lock = SRWLOCK_INIT;
HookedThread g_hooked[kMaxServedThreads];
int g_hookedCount = 0;

HookedThread *FindHooked(DWORD threadId) {
    for (int i = 0; i < g_hookedCount; ++i)
        if (g_hooked[i].id == threadId) return &g_hooked[i];
    return nullptr;
}

// The thread whose bar pop-up is open. Plain variables rather than
// thread_local, which would bring the runtime's emulated TLS and winpthread
// (about 27 KB) into every program; a pop-up is modal, one at a time, and
// only the thread that opened it writes them, from its own menu loop.
DWORD g_trackingThread = 0;
HHOOK g_menuFilter = nullptr;
bool g_sawMouse = false;
POINT g_restingCursor;  // where the first mouse move of the menu was

// Up or Down in a one-line field of a dialog.
bool MovesBetweenFields(const MSG &m) {
    if (m.wParam != VK_UP && m.wParam != VK_DOWN) return false;
    if (!IsEditControl(m.hwnd) || (GetWindowLongW(m.hwnd, GWL_STYLE) & ES_MULTILINE)) return false;
    wchar_t cls[16];
    HWND root = GetAncestor(m.hwnd, GA_ROOT);
    return GetClassNameW(root, cls, 16) && lstrcmpW(cls, L"#32770") == 0;
}

void HandleKey(MSG *m, bool removing) {
    if (m->message != WM_KEYDOWN && m->message != WM_KEYUP) return;
    if (!m->hwnd) return;
    HWND bar = FindLocalBar(GetAncestor(m->hwnd, GA_ROOT));
    if (!bar || !IsWindowVisible(bar)) return;  // a bar off the screen takes no keys
    const bool up = m->message == WM_KEYUP;
    KeyDecision d;
    // A peek that leaves the message queued must not act on it; the removal will.
    if (!DecideKey(bar, static_cast<UINT>(m->wParam), up, removing, &d)) return;
    if (MovesBetweenFields(*m)) {
        // A phone's navigation key moves between the fields of a form; the
        // desktop dialog manager would only move the caret.
        if (removing && !up)
            PostMessageW(GetAncestor(m->hwnd, GA_ROOT), WM_NEXTDLGCTL, m->wParam == VK_UP, FALSE);
        m->message = WM_NULL;
        return;
    }
    if (removing) {
        const bool repeat = !up && (m->lParam & (1L << 30));
        if (d.pressButton >= 0 && !up && !repeat)
            PostMessageW(bar, kMsgPressSoftKey, static_cast<WPARAM>(d.pressButton), 0);
        if (d.notify && !repeat) PostMessageW(bar, kMsgNotifyKey, m->wParam, up);
    }
    if (d.consume) m->message = WM_NULL;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        MSG *m = reinterpret_cast<MSG *>(lp);
        const bool removing = (wp & PM_REMOVE) != 0;
        if (m->message == WM_PAINT && removing && m->hwnd) OnRepaint(m->hwnd);
        HandleKey(m, removing);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK CountOthers(HWND window, LPARAM param) {
    auto *others = reinterpret_cast<std::pair<HWND, int> *>(param);
    wchar_t cls[8];
    // Wine's input-method window of the thread goes with the thread's windows.
    const bool ime = GetClassNameW(window, cls, 8) && lstrcmpiW(cls, L"IME") == 0;
    if (window != others->first && !ime) ++others->second;
    return others->second == 0;
}

// The top-level window going is the thread's last.
bool IsLastWindow(HWND going) {
    if (GetAncestor(going, GA_PARENT) != GetDesktopWindow()) return false;
    std::pair<HWND, int> others(going, 0);
    EnumThreadWindows(GetCurrentThreadId(), CountOthers, reinterpret_cast<LPARAM>(&others));
    return others.second == 0;
}

// Called from the thread's own call hook, after the next hook: a hook may
// take itself off while it runs.
void ForgetThisThread() {
    ForgetThreadsWatch();
    const DWORD self = GetCurrentThreadId();
    AcquireSRWLockExclusive(&g_lock);
    if (HookedThread *t = FindHooked(self)) {
        for (HHOOK hook : {t->calls, t->cbt, t->keys})
            if (hook) UnhookWindowsHookEx(hook);
        *t = g_hooked[--g_hookedCount];
    }
    ReleaseSRWLockExclusive(&g_lock);
    Trace("thread's last window gone: hooks and slots given back");
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wp, LPARAM lp) {
    const LRESULT next = CallNextHookEx(nullptr, code, wp, lp);
    if (code == HC_ACTION) {
        const CWPSTRUCT *c = reinterpret_cast<const CWPSTRUCT *>(lp);
        switch (c->message) {
        case EM_SETINPUTMODE:
            ApplyInputMode(c->hwnd, c->lParam);
            break;
        case WM_WINDOWPOSCHANGING:
            BeforePositionChange(c->hwnd, *reinterpret_cast<const WINDOWPOS *>(c->lParam));
            break;
        case WM_WINDOWPOSCHANGED:
            AfterPositionChange(c->hwnd);
            break;
        case WM_SHOWWINDOW:
            if (c->wParam) {
                DropCloseBox(c->hwnd);
                FitMessageBox(c->hwnd);
            }
            break;
        case WM_ACTIVATE:
            OnActivate(c->hwnd, LOWORD(c->wParam) != WA_INACTIVE);
            break;
        case WM_NCACTIVATE:
            OnNcActivate(c->hwnd, c->wParam != FALSE);
            break;
        case WM_ACTIVATEAPP:
            OnActivateApp(c->wParam != FALSE);
            break;
        case WM_NCDESTROY:
            if (IsLastWindow(c->hwnd)) ForgetThisThread();
            break;
        }
    }
    return next;
}

LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp) {
    // Non-zero refuses: the window stays inactive, the focus where it was.
    if (code == HCBT_ACTIVATE && RefusesActivation(reinterpret_cast<HWND>(wp))) return 1;
    if (code == HCBT_SETFOCUS && RefusesFocus(reinterpret_cast<HWND>(wp))) return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MenuFilterHook(int code, WPARAM wp, LPARAM lp) {
    if (code == MSGF_MENU && g_trackingThread == GetCurrentThreadId()) {
        const MSG *m = reinterpret_cast<const MSG *>(lp);
        if (m->message == WM_MOUSEMOVE) {
            // The first move comes from the menu appearing (the cursor may even
            // be clipped into the desktop then); only a real move counts.
            if (!g_sawMouse) {
                g_sawMouse = true;
                g_restingCursor = m->pt;
            }
            if (m->pt.x == g_restingCursor.x && m->pt.y == g_restingCursor.y)
                return TRUE;  // swallowed: the menu loop skips it
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

void BeginMenuTracking() {
    g_trackingThread = GetCurrentThreadId();
    g_sawMouse = false;
    g_menuFilter = SetWindowsHookExW(WH_MSGFILTER, MenuFilterHook, nullptr, g_trackingThread);
}

void EndMenuTracking() {
    if (g_menuFilter) UnhookWindowsHookEx(g_menuFilter);
    g_menuFilter = nullptr;
    g_trackingThread = 0;
}

void EnsureThreadHooks(DWORD threadId) {
    AcquireSRWLockExclusive(&g_lock);
    if (!FindHooked(threadId) && g_hookedCount < kMaxServedThreads) {
        // Thread hooks of this process need no module handle.
        HHOOK calls = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, threadId);
        HHOOK cbt = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, threadId);
        if (calls && cbt) {
            g_hooked[g_hookedCount++] = HookedThread{threadId, calls, cbt, nullptr, 0};
        } else {
            if (calls) UnhookWindowsHookEx(calls);
            if (cbt) UnhookWindowsHookEx(cbt);
        }
    }
    ReleaseSRWLockExclusive(&g_lock);
}

void CountShownBar(DWORD threadId, bool shown) {
    AcquireSRWLockExclusive(&g_lock);
    if (HookedThread *t = FindHooked(threadId)) {
        t->shownBars += shown ? 1 : -1;
        if (t->shownBars > 0 && !t->keys) {
            t->keys = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, threadId);
        } else if (t->shownBars == 0 && t->keys && UnhookWindowsHookEx(t->keys)) {
            t->keys = nullptr;
        }
    }
    ReleaseSRWLockExclusive(&g_lock);
}

bool IsEditControl(HWND hwnd) {
    wchar_t cls[16];
    return hwnd && GetClassNameW(hwnd, cls, 16) && lstrcmpiW(cls, L"Edit") == 0;
}

}  // namespace mobileshell
