// The watcher's decisions on real windows: what it locks, what it re-arms,
// how it hands an entry to the prompt, and that it ends whenever told to.
#include "watcher.h"
#include "agent_context.h"
#include "agent_resource.h"
#include "platform_shell.h"
#include "soft_key_dialog.h"
#include "test_windows.h"
#include "waits.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace agent_test;
using namespace harness;

namespace {

const wchar_t kAppClass[] = L"AgentTestApp";
const wchar_t kOtherAppClass[] = L"AgentTestOtherApp";

TEST(IsSameOrAncestor, FollowsParentsAndOwnersUpward) {
    HWND top = MakeTopLevel(L"AgentTestTop");
    HWND child = MakeChild(top);
    HWND grandchild = MakeChild(child);
    HWND owned = MakeTopLevel(L"AgentTestOwned", top);
    HWND other = MakeTopLevel(L"AgentTestOther");
    struct Case {
        HWND a, b;
        int expected;
    } cases[] = {
        {top, top, 1},   {top, child, 1},      {top, grandchild, 1}, {child, grandchild, 1},
        {top, owned, 1}, {grandchild, top, 0}, {child, top, 0},      {other, grandchild, 0},
        {top, other, 0}, {top, nullptr, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, IsSameOrAncestor(c.a, c.b)) << c.a << " " << c.b;
    DestroyTestWindows();
}

// Stands in for the prompt on the test's own thread: takes a lock request the
// way the prompt does (only the announced entry) and answers it at once.
struct PromptDouble {
    bool accept = true;
    bool answer = true;  // answer an accepted request at once
    int requests = 0;
    WPARAM window = 0;
    LPARAM entry = 0;
    std::function<void()> whileShown;
};
PromptDouble *g_double;

LRESULT CALLBACK PromptDoubleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != MSG_LOCK_ENTRY || !g_double)
        return DefWindowProcW(window, message, wParam, lParam);
    ++g_double->requests;
    g_double->window = wParam;
    g_double->entry = lParam;
    if (!g_double->accept) return 0;
    if (g_double->whileShown) g_double->whileShown();
    if (g_double->answer) SetEvent(UnlockEvent);
    return 1;
}

class WatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PromptDoubleProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"AgentTestPromptDouble";
        RegisterClassW(&wc);
        context.prompt = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, wc.hInstance, nullptr);
        g_double = &prompt;
    }
    void TearDown() override {
        g_double = nullptr;
        DestroyWindow(context.prompt);
        DestroyTestWindows();
    }
    WatchEntry *AddEntry(const wchar_t *cls) {
        auto *entry = new WatchEntry;
        entry->className.Assign(cls);
        context.watch.list.push_back(entry);
        context.watch.Publish();
        return entry;
    }
    // An application window of class cls with its own soft-key bar.
    HWND MakeApp(const wchar_t *cls) {
        HWND app = MakeTopLevel(cls);
        CreateSoftKeyBar(app, IDR_PROMPT_SOFTKEYS);
        return app;
    }

    AgentContext context;
    PromptDouble prompt;
};

TEST_F(WatcherTest, LocksAnArmedApplicationOnlyWhenItsWindowOrAnAncestorIsInFront) {
    enum Front { APP, CHILD, OWNED_POPUP, APP_OWNER, UNRELATED };
    struct Case {
        Front front;
        bool locked;
    } cases[] = {
        {APP, true}, {CHILD, false}, {OWNED_POPUP, false}, {APP_OWNER, true}, {UNRELATED, false}};
    for (const Case &c : cases) {
        HWND owner = MakeTopLevel(L"AgentTestAppOwner");
        HWND app = MakeTopLevel(kAppClass, owner);
        HWND bar = CreateSoftKeyBar(app, IDR_PROMPT_SOFTKEYS);
        ASSERT_NE(nullptr, bar);
        HWND child = MakeChild(app);
        HWND popup = MakeTopLevel(L"AgentTestPopup", app);
        HWND unrelated = MakeTopLevel(L"AgentTestUnrelated");
        HWND fronts[] = {app, child, popup, owner, unrelated};
        WatchEntry *entry = AddEntry(kAppClass);
        prompt = PromptDouble();

        ASSERT_TRUE(WatchOnce(context, fronts[c.front]));
        SCOPED_TRACE(c.front);
        EXPECT_EQ(1, entry->armed);
        if (c.locked) {
            EXPECT_EQ(app, entry->window);
            EXPECT_EQ(bar, entry->softKeyBar);
            EXPECT_FALSE(IsWindowVisible(app));
            EXPECT_FALSE(IsWindowVisible(bar));
            EXPECT_EQ(1, prompt.requests);
            EXPECT_EQ(reinterpret_cast<WPARAM>(app), prompt.window);
            EXPECT_EQ(reinterpret_cast<LPARAM>(entry), prompt.entry);
        } else {
            EXPECT_EQ(nullptr, entry->window);
            EXPECT_TRUE(IsWindowVisible(app));
            EXPECT_EQ(0, prompt.requests);
        }
        EXPECT_EQ(nullptr, context.pendingLock);
        DestroyTestWindows();
        FreeWatchEntries(context.watch.list);
        context.watch.Publish();
    }
}

TEST_F(WatcherTest, ArmedApplicationWithoutAWindowIsLeftAlone) {
    WatchEntry *entry = AddEntry(L"AgentTestNoSuchClass");
    HWND front = MakeTopLevel(L"AgentTestUnrelated");
    EXPECT_TRUE(WatchOnce(context, front));
    EXPECT_EQ(0, prompt.requests);
    EXPECT_EQ(nullptr, entry->window);
}

TEST_F(WatcherTest, RefusedLockRequestShowsTheApplicationAgain) {
    HWND app = MakeApp(kAppClass);
    HWND bar = SHFindMenuBar(app);
    WatchEntry *entry = AddEntry(kAppClass);
    prompt.accept = false;
    EXPECT_TRUE(WatchOnce(context, app));
    EXPECT_EQ(1, prompt.requests);
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(nullptr, context.pendingLock);
    EXPECT_EQ(1, entry->armed);
}

TEST_F(WatcherTest, UnlockedApplicationStaysUnlockedWhileItOrAWindowUnderItIsInFront) {
    enum Front { APP, CHILD, OWNED_POPUP, OTHER, APP_GONE, NO_WINDOW };
    struct Case {
        Front front;
        bool rearmed;
    } cases[] = {{APP, false},  {CHILD, false},   {OWNED_POPUP, false},
                 {OTHER, true}, {APP_GONE, true}, {NO_WINDOW, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.front);
        HWND app = MakeTopLevel(L"AgentTestUnlocked");
        HWND child = MakeChild(app);
        HWND popup = MakeTopLevel(L"AgentTestPopup", app);
        HWND other = MakeTopLevel(L"AgentTestUnrelated");
        HWND bar = MakeTopLevel(L"AgentTestBar");
        HWND fronts[] = {app, child, popup, other, other, other};
        WatchEntry *entry = AddEntry(kOtherAppClass);
        entry->armed = 0;
        entry->window = c.front == NO_WINDOW ? nullptr : app;
        entry->softKeyBar = bar;
        if (c.front == APP_GONE) DestroyWindow(app);

        ASSERT_TRUE(WatchOnce(context, fronts[c.front]));
        EXPECT_EQ(c.rearmed ? 1 : 0, entry->armed);
        EXPECT_EQ(c.rearmed || c.front == NO_WINDOW ? nullptr : app, entry->window);
        EXPECT_EQ(bar, entry->softKeyBar);
        EXPECT_EQ(0, prompt.requests);
        DestroyTestWindows();
        FreeWatchEntries(context.watch.list);
        context.watch.Publish();
    }
}

TEST_F(WatcherTest, NothingHappensWhileTheListIsNotReadyOrNothingIsInFront) {
    HWND app = MakeApp(kAppClass);
    HWND other = MakeTopLevel(L"AgentTestUnrelated");
    WatchEntry *armed = AddEntry(kAppClass);
    WatchEntry *unlocked = AddEntry(kOtherAppClass);
    unlocked->armed = 0;
    unlocked->window = other;

    context.watch.SetReady(false);
    EXPECT_TRUE(WatchOnce(context, app));
    context.watch.SetReady(true);
    EXPECT_TRUE(WatchOnce(context, nullptr));

    EXPECT_EQ(0, prompt.requests);
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_EQ(nullptr, armed->window);
    EXPECT_EQ(0, unlocked->armed);
    EXPECT_EQ(other, unlocked->window);
}

// After a lock has been answered the same cycle goes on, with the foreground
// window it saw before the lock.
TEST_F(WatcherTest, WalkGoesOnAfterAnAnsweredLock) {
    HWND app = MakeApp(kAppClass);
    HWND otherApp = MakeTopLevel(L"AgentTestUnlocked");
    WatchEntry *first = AddEntry(kAppClass);
    WatchEntry *second = AddEntry(kOtherAppClass);
    second->armed = 0;
    second->window = otherApp;

    EXPECT_TRUE(WatchOnce(context, app));
    EXPECT_EQ(1, prompt.requests);
    EXPECT_EQ(app, first->window);
    EXPECT_EQ(1, second->armed);  // app was in front, not otherApp
    EXPECT_EQ(nullptr, second->window);
}

TEST_F(WatcherTest, RebuildWhileThePromptIsUpEndsTheWalk) {
    HWND app = MakeApp(kAppClass);
    HWND otherApp = MakeTopLevel(L"AgentTestUnlocked");
    AddEntry(kAppClass);
    WatchEntry *second = AddEntry(kOtherAppClass);
    second->armed = 0;
    second->window = otherApp;
    prompt.whileShown = [&] { context.watch.Publish(); };

    EXPECT_TRUE(WatchOnce(context, app));
    EXPECT_EQ(1, prompt.requests);
    EXPECT_EQ(0, second->armed);  // not walked: the list it was in was replaced
    EXPECT_EQ(otherApp, second->window);
}

bool ThreadEnds(HANDLE thread, DWORD ms) {
    return PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, ms);
}

TEST_F(WatcherTest, EndsWhenStoppedBeforeItsFirstPoll) {
    StartWatcher(context);
    ASSERT_NE(nullptr, context.watcherThread);
    StopWatcher(context);
    EXPECT_TRUE(ThreadEnds(context.watcherThread, 5000));
    JoinWatcher(context);
}

// The prompt double here takes the lock and leaves it unanswered: the
// watcher is blocked behind it until it is told to stop.
TEST_F(WatcherTest, EndsWhenStoppedWhileWaitingBehindThePrompt) {
    HWND app = MakeApp(kAppClass);
    SetForegroundWindow(app);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == app; }, 3000));
    AddEntry(kAppClass);
    prompt.answer = false;
    ResetEvent(UnlockEvent);

    StartWatcher(context);
    ASSERT_TRUE(PumpUntil([&] { return prompt.requests == 1; }, 5000));
    EXPECT_FALSE(ThreadEnds(context.watcherThread, 3 * kPollPeriodMs));  // blocked, not polling
    EXPECT_EQ(1, prompt.requests);
    StopWatcher(context);
    EXPECT_TRUE(ThreadEnds(context.watcherThread, 5000));
    JoinWatcher(context);
}

}  // namespace
