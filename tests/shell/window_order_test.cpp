// One test per difference between Wine and the phone that the stand-in's
// window order evens out, numbered as in mobileshell/src/window_order_differences.h,
// which names each one's guard.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>

#include "platform_shell.h"
#include "screen.h"
#include "shell_internal.h"
#include "shell_test_resource.h"
#include "waits.h"
#include "window_search.h"

namespace {

constexpr UINT kMsgCall = WM_APP + 50;
constexpr DWORD kTicksOverMs = harness::kShellTicksOverMs;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr wchar_t kScreenClass[] = L"WindowOrderTestScreen";

LRESULT CALLBACK ScreenProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kMsgCall) {
        (*reinterpret_cast<const std::function<void()> *>(lp))();
        return 0;
    }
    if (msg == WM_NCACTIVATE) SetPropW(window, L"LastNcActivate", reinterpret_cast<HANDLE>(wp + 1));
    if (msg == WM_CHAR)
        SetPropW(window, L"Typed", static_cast<char *>(GetPropW(window, L"Typed")) + 1);
    return DefWindowProcW(window, msg, wp, lp);
}

void RegisterScreenClass() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ScreenProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kScreenClass;
    RegisterClassW(&wc);
}

bool AddBar(HWND window) {
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof mbi;
    mbi.hwndParent = window;
    mbi.nToolBarId = IDR_BAR_TWO_COMMANDS;
    mbi.hInstRes = GetModuleHandleW(nullptr);
    return SHCreateMenuBar(&mbi) != FALSE;
}

// A full-screen window of one colour, with a soft-key bar when asked, on the
// calling thread.
HWND CreateScreen(COLORREF colour, bool withBar, DWORD style = WS_POPUP) {
    RegisterScreenClass();
    HWND window = CreateWindowExW(0, kScreenClass, L"", style, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(CreateSolidBrush(colour)));
    return withBar && !AddBar(window) ? nullptr : window;
}

// A thread of its own with one screen, pumping its messages unless paused.
class ScreenThread {
public:
    ScreenThread(COLORREF colour, bool withBar) {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        resume_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
        parked_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, colour, withBar] {
            window_ = CreateScreen(colour, withBar);
            id_ = GetCurrentThreadId();
            SetEvent(ready_);
            MSG msg;
            while (!quit_) {
                if (WaitForSingleObject(resume_, 0) == WAIT_TIMEOUT) {
                    SetEvent(parked_);
                    WaitForSingleObject(resume_, INFINITE);  // paused: sent messages wait
                }
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            }
            DestroyWindow(window_);
        });
        WaitForSingleObject(ready_, 10000);
    }
    ~ScreenThread() {
        quit_ = true;
        SetEvent(resume_);
        thread_.join();
        CloseHandle(ready_);
        CloseHandle(resume_);
        CloseHandle(parked_);
    }
    HWND Window() const { return window_; }
    DWORD Id() const { return id_; }
    // Runs f on the screen's thread and waits for it.
    void Call(const std::function<void()> &f) {
        SendMessageW(window_, kMsgCall, 0, reinterpret_cast<LPARAM>(&f));
    }
    // Returns once the thread has parked, taking no message until Resume.
    void Pause() {
        ResetEvent(parked_);
        ResetEvent(resume_);
        WaitForSingleObject(parked_, harness::kScreenMs);
    }
    void Resume() { SetEvent(resume_); }

private:
    HANDLE ready_ = nullptr;
    HANDLE resume_ = nullptr;
    HANDLE parked_ = nullptr;
    HWND window_ = nullptr;
    DWORD id_ = 0;
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

HWND ActiveWindowOf(DWORD thread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndActive : nullptr;
}

COLORREF ScreenCentre() {
    const harness::Pixels pixels = harness::ScreenPixels();
    const DWORD rgb = pixels.At(pixels.width / 2, pixels.height / 3);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// 1: an activated window comes to the top of the window order.
TEST(WindowOrder, AnActivatedWindowComesToTheTop) {
    HWND lower = CreateScreen(kRed, true);
    HWND upper = CreateScreen(kGreen, false);
    ShowWindow(lower, SW_SHOWNOACTIVATE);
    ShowWindow(upper, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(IsAbove(upper, lower));
    SetActiveWindow(lower);
    EXPECT_TRUE(IsAbove(lower, upper)) << "activated, it stays below";
    EXPECT_EQ(SHFindMenuBar(lower), GetWindow(lower, GW_HWNDPREV)) << "with its bar";
    DestroyWindow(upper);
    DestroyWindow(lower);
}

// 2: a bar is refused the activation, whoever asks.
TEST(WindowOrder, ABarIsNeverActivated) {
    HWND owner = CreateScreen(kRed, true);
    ShowWindow(owner, SW_SHOW);
    SetForegroundWindow(owner);
    HWND bar = SHFindMenuBar(owner);
    ASSERT_NE(nullptr, bar);
    SetActiveWindow(bar);
    EXPECT_NE(bar, GetActiveWindow());
    EXPECT_EQ(owner, GetActiveWindow());
    DestroyWindow(owner);
}

// Shows `behind`, then `front` in front of it, and makes a screen of this
// thread's, not yet shown, for the front to go to next; null if front never
// came to the front.
HWND FrontOverBehind(ScreenThread &front, ScreenThread &behind) {
    front.Call([&] {
        ShowWindow(behind.Window(), SW_SHOWNOACTIVATE);
        ShowWindow(front.Window(), SW_SHOW);
        SetForegroundWindow(front.Window());
    });
    HWND mine = CreateScreen(kGreen, false);
    return harness::WaitForForeground(front.Window()) ? mine : nullptr;
}

// 3: the activation Wine hands a window when the front one goes away reaches
// its thread after another program has come to the front: refused.
TEST(WindowOrder, AnActivationThatComesTooLateIsRefused) {
    ScreenThread behind(kRed, true);
    ScreenThread front(kGreen, false);
    HWND mine = FrontOverBehind(front, behind);
    ASSERT_NE(nullptr, mine);

    behind.Pause();
    front.Call([&] { ShowWindow(front.Window(), SW_HIDE); });  // Wine picks `behind` next
    ShowWindow(mine, SW_SHOW);
    SetForegroundWindow(mine);
    behind.Resume();
    behind.Call([] {});  // after the activation that waited for it
    EXPECT_NE(behind.Window(), ActiveWindowOf(behind.Id())) << "the late activation was taken";
    EXPECT_EQ(mine, GetForegroundWindow());
    DestroyWindow(mine);
}

// Set on the thread of `behind` below: the window another program takes the
// front for while that thread's activation is under way.
HWND g_takesFrontMidway = nullptr;

// Called after the stand-in's own CBT hook, which has already taken the
// activation: the front goes elsewhere before the thread's window is active.
LRESULT CALLBACK TakeFrontMidway(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && g_takesFrontMidway) {
        SetForegroundWindow(g_takesFrontMidway);
        g_takesFrontMidway = nullptr;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// 3: the front changes hands while Wine's activation is under way, before
// the window is active: seen from the server the thread never had the front,
// and it is never told it lost it. Left active behind the front, the window
// would come to the front later without a word (no raise, no active frame)
// and keep Wine's keyboard focus meanwhile.
TEST(WindowOrder, AnActivationLostWhileItIsTakenIsGivenBack) {
    ScreenThread behind(kRed, false);
    ScreenThread front(kGreen, false);
    HHOOK hook = nullptr;
    behind.Call([&] {
        hook = SetWindowsHookExW(WH_CBT, TakeFrontMidway, nullptr, GetCurrentThreadId());
        AddBar(behind.Window());  // the stand-in's hooks come after, and run first
    });
    HWND mine = FrontOverBehind(front, behind);
    ASSERT_NE(nullptr, mine);

    behind.Call([&] { g_takesFrontMidway = mine; });
    front.Call([&] { ShowWindow(front.Window(), SW_HIDE); });  // Wine picks `behind` next
    ShowWindow(mine, SW_SHOW);
    ASSERT_TRUE(harness::WaitForForeground(mine));
    EXPECT_TRUE(
        harness::PumpUntil([&] { return ActiveWindowOf(behind.Id()) == nullptr; }, kTicksOverMs))
        << "left active behind the front";
    behind.Call([&] { UnhookWindowsHookEx(hook); });
    DestroyWindow(mine);
}

// 12: a program that lost the front, lifted by Wine over the window it lost
// it to while a third program is in front of both, goes back below that
// window: when the third ends, the front goes back where it was, not to it.
TEST(WindowOrder, AWindowLiftedUnderAThirdProgramGoesBackBelow) {
    ScreenThread lifted(kRed, true);
    ScreenThread tookFront(kGreen, false);
    for (ScreenThread *t : {&lifted, &tookFront}) {
        t->Call([t] {
            ShowWindow(t->Window(), SW_SHOW);
            SetForegroundWindow(t->Window());
        });
        ASSERT_TRUE(harness::WaitForForeground(t->Window()));
    }
    HWND third = CreateScreen(kGreen, false);
    ShowWindow(third, SW_SHOW);
    SetForegroundWindow(third);
    ASSERT_TRUE(harness::WaitForForeground(third));
    lifted.Call([&] {  // Wine's lift, of which the window hears only a repaint
        SetWindowPos(lifted.Window(), third, 0, 0, 0, 0, kKeep);
        RedrawWindow(lifted.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    });
    EXPECT_TRUE(harness::PumpUntil([&] { return IsAbove(tookFront.Window(), lifted.Window()); },
                                   kTicksOverMs))
        << "left above the window it lost the front to";
    DestroyWindow(third);
    EXPECT_TRUE(harness::WaitForForeground(tookFront.Window()));
}

// Asks tests/shell/x_keys_test to type the keys once X's focus is on window.
bool Typed(HWND window, const char *keys) {
    SetPropW(window, L"Typed", nullptr);
    SetWindowTextW(window, L"XKeysTarget");
    std::printf("type %s into XKeysTarget\n", keys);
    std::fflush(stdout);
    const char *none = nullptr;  // the prop counts the characters typed
    return harness::PumpUntil([&] { return GetPropW(window, L"Typed") == none + strlen(keys); },
                              harness::kScreenMs);
}

// 11: keys typed on the X display reach a screen that came to the front while
// its thread was idle. x_keys_test runs it with X_KEYS_TYPIST set and types.
TEST(WindowOrder, KeysTypedThroughXReachTheScreenInFront) {
    if (!GetEnvironmentVariableW(L"X_KEYS_TYPIST", nullptr, 0)) GTEST_SKIP() << "no one types";
    ScreenThread behind(kRed, true);
    behind.Call([&] { ShowWindow(behind.Window(), SW_SHOWNOACTIVATE); });
    harness::Pump(kTicksOverMs);  // the screen's thread takes its last message
    // X's focus changes after that: the idle thread asks for it with an older
    // time (once a key has reached this process, Wine asks with message times
    // instead of X's "now"), unless it takes a fresh one.
    HWND front = CreateScreen(kGreen, false);
    ShowWindow(front, SW_SHOW);
    SetForegroundWindow(front);
    ASSERT_TRUE(harness::WaitForForeground(front) && Typed(front, "0"));
    DestroyWindow(front);  // Wine hands the front to the idle screen
    ASSERT_TRUE(harness::WaitForForeground(behind.Window()));
    EXPECT_TRUE(Typed(behind.Window(), "123"));
}

// 4: an owner sent to the bottom takes its bar along.
TEST(WindowOrder, ABarFollowsItsOwnerDown) {
    HWND other = CreateScreen(kGreen, false);
    HWND owner = CreateScreen(kRed, true);
    HWND bar = SHFindMenuBar(owner);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    const struct {
        const char *what;
        HWND after;
    } moves[] = {{"to the bottom", HWND_BOTTOM}, {"below another window", other}};
    for (const auto &m : moves) {
        SetWindowPos(owner, m.after, 0, 0, 0, 0, kKeep);
        EXPECT_EQ(bar, GetWindow(owner, GW_HWNDPREV)) << m.what;
    }
    DestroyWindow(owner);
    DestroyWindow(other);
}

// 5: a window sent topmost under its own bar is marked topmost, and its bar
// with it; and unmarked with it.
TEST(WindowOrder, AWindowUnderItsBarIsMadeTopmost) {
    HWND owner = CreateScreen(kRed, true);
    HWND bar = SHFindMenuBar(owner);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    for (const bool topmost : {true, false}) {
        SetWindowPos(owner, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
        EXPECT_EQ(topmost, harness::IsTopMost(owner)) << topmost;
        EXPECT_EQ(topmost, harness::IsTopMost(bar)) << topmost;
        EXPECT_EQ(bar, GetWindow(owner, GW_HWNDPREV)) << topmost;
    }
    DestroyWindow(owner);
}

// 6: a window that comes to the front is drawn on the screen below a topmost
// window with a bar, as the window order has it.
TEST(WindowOrder, ATopmostWindowStaysOnTopOfTheScreen) {
    ScreenThread keeper(kRed, true);
    keeper.Call([&] {
        ShowWindow(keeper.Window(), SW_SHOW);
        SetWindowPos(keeper.Window(), HWND_TOPMOST, 0, 0, 0, 0, kKeep);
    });
    ASSERT_TRUE(harness::PumpUntil([] { return ScreenCentre() == kRed; }, harness::kScreenMs));
    HWND newcomer = CreateScreen(kGreen, false);
    ShowWindow(newcomer, SW_SHOW);
    SetForegroundWindow(newcomer);
    harness::Pump(kTicksOverMs);
    EXPECT_EQ(kRed, ScreenCentre()) << "the new window is drawn over the topmost one";
    // A program kept from running sends its X requests late, here after the
    // ticks its window set off are over.
    HWND late = CreateScreen(kGreen, false);
    ShowWindow(late, SW_SHOW);
    SetForegroundWindow(late);
    Sleep(kTicksOverMs);  // the stall itself: this thread's X requests wait
    harness::Flush();
    EXPECT_TRUE(harness::PumpUntil([] { return ScreenCentre() == kRed; }, kTicksOverMs))
        << "a window drawn late stays over the topmost one";
    DestroyWindow(late);
    DestroyWindow(newcomer);
}

// 7: a window shown before its thread has the foreground, which follows a
// moment later, ends drawn active: on a new thread, and on one that comes
// after more threads than the stand-in serves at once have each had a bar
// and ended (their slots given back, a reused thread id served anew).
TEST(WindowOrder, TheWindowInFrontIsDrawnActive) {
    ScreenThread other(kGreen, false);
    for (const int before : {0, mobileshell::kMaxServedThreads + 1}) {
        other.Call([&] {
            ShowWindow(other.Window(), SW_SHOW);
            SetForegroundWindow(other.Window());
        });
        ASSERT_TRUE(harness::WaitForForeground(other.Window()));
        for (int i = 0; i < before; ++i) {
            std::thread([] {
                HWND gone = CreateScreen(kRed, true);
                ShowWindow(gone, SW_SHOWNOACTIVATE);
                SetActiveWindow(gone);  // drawn inactive: its checks take a slot too
                DestroyWindow(gone);
            }).join();
        }
        bool inFront = false, drawnActive = false;
        std::thread([&] {
            HWND window = CreateScreen(kRed, true, WS_POPUP | WS_CAPTION);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            SetActiveWindow(window);
            SetForegroundWindow(window);
            const HANDLE active = reinterpret_cast<HANDLE>(TRUE + 1);  // as ScreenProc notes it
            drawnActive = harness::PumpUntil(
                [&] { return GetPropW(window, L"LastNcActivate") == active; }, kTicksOverMs);
            inFront = GetForegroundWindow() == window;
            DestroyWindow(window);
        }).join();
        EXPECT_TRUE(inFront && drawnActive) << "drawn inactive, " << before << " threads before";
    }
}

// The first time the bar is put after g_movesAway, that window goes below
// g_movesBelow first, as another program's thread may move it meanwhile.
WNDPROC g_barProc = nullptr;
HWND g_movesAway = nullptr;
HWND g_movesBelow = nullptr;
LRESULT CALLBACK MovesAwayMeanwhile(HWND bar, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_WINDOWPOSCHANGING && g_movesAway &&
        reinterpret_cast<const WINDOWPOS *>(lp)->hwndInsertAfter == g_movesAway) {
        HWND away = g_movesAway;
        g_movesAway = nullptr;
        SetWindowPos(away, g_movesBelow, 0, 0, 0, 0, kKeep);
    }
    return CallWindowProcW(g_barProc, bar, msg, wp, lp);
}

// 8: a bar Wine has moved below its owner without a word goes back over it
// when the owner is repainted. The owner ends where its bar begins, as the
// phone's screens do, over a full screen of another program.
TEST(WindowOrder, ABarMovedSilentlyGoesBackOnTheNextRepaint) {
    HWND other = CreateScreen(kGreen, false);
    HWND owner = CreateScreen(kRed, true);
    HWND bar = SHFindMenuBar(owner);
    auto barBack = [&] { return GetWindow(owner, GW_HWNDPREV) == bar; };
    RECT barRect;
    GetWindowRect(bar, &barRect);
    SetWindowPos(owner, nullptr, 0, 0, barRect.right, barRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(other, SW_SHOWNOACTIVATE);
    ShowWindow(owner, SW_SHOWNOACTIVATE);
    // What Wine's own moves look like: the bar let go of, moved, owned again.
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, 0);
    SetWindowPos(bar, HWND_BOTTOM, 0, 0, 0, 0, kKeep);
    SetWindowLongPtrW(bar, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EXPECT_TRUE(harness::PumpUntil(barBack, harness::kScreenMs));

    // Another window lifted between the bar and its owner (as a late exposure
    // lifts it) goes away while the bar is being put after it: the bar must
    // still end right above its owner.
    SetWindowPos(other, bar, 0, 0, 0, 0, kKeep);
    ASSERT_EQ(other, GetWindow(owner, GW_HWNDPREV));
    g_movesAway = other;
    g_movesBelow = owner;
    g_barProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MovesAwayMeanwhile)));
    RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    EXPECT_TRUE(harness::PumpUntil(barBack, harness::kScreenMs));
    SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProc));
    EXPECT_EQ(g_movesAway, nullptr) << "the bar was not put after the lifted window";
    DestroyWindow(owner);
    DestroyWindow(other);
}

}  // namespace
