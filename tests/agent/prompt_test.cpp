// The real prompt dialog in this process: lock requests, answers, layout and
// the control channel. The watcher it starts finds nothing to lock here: the
// list names classes no window of this process has.
#include "agent_context.h"
#include "agent_resource.h"
#include "box_answerer.h"
#include "import_patch.h"
#include "platform_shell.h"
#include "prompt_dialog.h"
#include "scenario_test.h"
#include "settings_key.h"
#include "soft_key_dialog.h"
#include "test_windows.h"
#include "waits.h"
#include "watcher.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace agent_test;
using namespace harness;

namespace {

const wchar_t kPassword[] = L"2580";
const wchar_t kWarningCaption[] = L"Предупреждение";

bool Signalled(HANDLE event) {
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

class PromptTest : public SettingsKeyTest {
protected:
    void SetUp() override {
        SettingsKeyTest::SetUp();
        ASSERT_TRUE(PutSettings(LOCK_CALL_HISTORY, kPassword));
        context = std::make_unique<AgentContext>();
        ASSERT_NE(nullptr, CreatePrompt(*context));
        HidePrompt(*context);
        ASSERT_EQ(1u, context->watch.list.size());
        entry = context->watch.list[0];
        field = GetDlgItem(context->prompt, IDC_PROMPT_PASSWORD);
        app = MakeTopLevel(L"AgentTestLockedApp");
        appBar = CreateSoftKeyBar(app, IDR_PROMPT_SOFTKEYS);
        ResetEvent(UnlockEvent);
    }
    void TearDown() override {
        if (IsWindow(context->prompt)) DestroyPrompt(*context);
        JoinWatcher(*context);
        context.reset();
        DropQuitMessages();
        DestroyTestWindows();
        SettingsKeyTest::TearDown();
    }

    // What the watcher does: hide the application, announce the entry, ask.
    LRESULT Lock(WatchEntry *lockEntry) {
        lockEntry->window = app;
        lockEntry->softKeyBar = appBar;
        ShowWindow(appBar, SW_HIDE);
        ShowWindow(app, SW_MINIMIZE);
        ShowWindow(app, SW_HIDE);
        context->pendingLock = lockEntry;
        return SendMessageW(context->prompt, MSG_LOCK_ENTRY, reinterpret_cast<WPARAM>(app),
                            reinterpret_cast<LPARAM>(lockEntry));
    }
    void Command(WORD id) { SendMessageW(context->prompt, WM_COMMAND, id, 0); }
    bool PromptUp() { return IsWindowVisible(context->prompt) && IsTopMost(context->prompt); }

    std::unique_ptr<AgentContext> context;
    WatchEntry *entry = nullptr;
    HWND field = nullptr;
    HWND app = nullptr;
    HWND appBar = nullptr;
};

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// Without its watcher the agent would lock nothing and say nothing: the
// prompt's start publishes nothing and builds no list, so the entry point
// ends the agent.
class PromptStart : public SettingsKeyTest {};

TEST_F(PromptStart, WithoutAWatcherThreadNothingIsPublished) {
    ASSERT_TRUE(PutSettings(LOCK_CALL_HISTORY, kPassword));
    AgentContext context;
    HWND prompt = nullptr;
    {
        ImportPatch failing("kernel32.dll", "CreateThread", reinterpret_cast<void *>(NoThread));
        ASSERT_TRUE(failing.Applied());
        prompt = CreatePrompt(context);
    }
    ASSERT_NE(nullptr, prompt);
    EXPECT_EQ(nullptr, context.watcherThread);
    EXPECT_EQ(nullptr, context.cell);
    EXPECT_TRUE(context.watch.list.empty());
    EXPECT_NE(prompt, AgentWindowOf(OpenAgentWindowCell()));
    DestroyPrompt(context);
    EXPECT_FALSE(IsWindow(prompt));
}

TEST_F(PromptTest, StartsHiddenPublishedAndWithTheListBuilt) {
    EXPECT_FALSE(IsWindowVisible(context->prompt));
    EXPECT_NE(nullptr, context->promptBar);
    EXPECT_FALSE(IsWindowVisible(context->promptBar));
    EXPECT_NE(nullptr, context->watcherThread);
    EXPECT_EQ(context->prompt, AgentWindowOf(context->cell));
    EXPECT_STREQ(L"MSClog", entry->className.c_str());
    EXPECT_STREQ(kPassword, context->settings.password.c_str());
}

TEST_F(PromptTest, LockRequestShowsThePromptFullScreenTopmostWithFocusInTheField) {
    SetEvent(UnlockEvent);  // an answer from before this lock
    EXPECT_EQ(1, Lock(entry));
    EXPECT_EQ(entry, context->currentEntry);
    EXPECT_EQ(nullptr, context->pendingLock);
    EXPECT_TRUE(PromptUp());
    EXPECT_TRUE(IsWindowVisible(context->promptBar));
    EXPECT_EQ(field, GetFocus());
    EXPECT_FALSE(Signalled(UnlockEvent));  // the earlier answer does not count
    RECT rect;
    GetWindowRect(context->prompt, &rect);
    RECT barRect;
    GetWindowRect(context->promptBar, &barRect);
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rect.right);
    EXPECT_EQ(barRect.top, rect.bottom);
}

// MSG_LOCK_ENTRY can come from anywhere; only the watcher's own request,
// naming an entry of the list, is taken.
TEST_F(PromptTest, LockRequestsNotFromTheWatcherAreIgnored) {
    WatchEntry stranger;
    stranger.className.Assign(L"MSClog");
    struct Case {
        const char *what;
        WatchEntry *announced;
        LPARAM named;
    } cases[] = {
        {"nothing announced", nullptr, reinterpret_cast<LPARAM>(entry)},
        {"another pointer than announced", entry, 0x12345678},
        {"null", entry, 0},
        {"announced but not in the list", &stranger, reinterpret_cast<LPARAM>(&stranger)},
    };
    for (const Case &c : cases) {
        context->pendingLock = c.announced;
        EXPECT_EQ(0, SendMessageW(context->prompt, MSG_LOCK_ENTRY, reinterpret_cast<WPARAM>(app),
                                  c.named))
            << c.what;
        EXPECT_EQ(nullptr, context->currentEntry) << c.what;
        EXPECT_FALSE(IsWindowVisible(context->prompt)) << c.what;
        PostMessageW(context->prompt, MSG_LOCK_ENTRY, reinterpret_cast<WPARAM>(app), c.named);
        Flush();
        EXPECT_EQ(nullptr, context->currentEntry) << c.what;
    }
    // The announcement is used up by the request it was made for.
    context->pendingLock = nullptr;
    EXPECT_EQ(1, Lock(entry));
    context->currentEntry = nullptr;
    EXPECT_EQ(0, SendMessageW(context->prompt, MSG_LOCK_ENTRY, reinterpret_cast<WPARAM>(app),
                              reinterpret_cast<LPARAM>(entry)));
    EXPECT_EQ(nullptr, context->currentEntry);
}

TEST_F(PromptTest, RightPasswordBringsTheApplicationBack) {
    ASSERT_EQ(1, Lock(entry));
    SetWindowTextW(field, kPassword);
    Command(IDM_PROMPT_DONE);
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(appBar));
    EXPECT_EQ(0, entry->armed);
    EXPECT_EQ(app, entry->window);
    EXPECT_EQ(nullptr, context->currentEntry);
    EXPECT_TRUE(Signalled(UnlockEvent));
    EXPECT_FALSE(IsWindowVisible(context->prompt));
    EXPECT_FALSE(IsTopMost(context->prompt));
    EXPECT_FALSE(IsWindowVisible(context->promptBar));
    EXPECT_EQ(L"", WindowText(field));
}

TEST_F(PromptTest, WrongPasswordWarnsAndKeepsTheApplicationLocked) {
    const wchar_t *wrong[] = {L"", L"258", L"25800", L"2581", L" 2580", L"0852"};
    ASSERT_EQ(1, Lock(entry));
    for (const wchar_t *typed : wrong) {
        SetWindowTextW(field, typed);
        BoxAnswerer answerer;
        Command(IDM_PROMPT_DONE);
        const std::vector<SeenBox> seen = answerer.Seen();
        ASSERT_EQ(1u, seen.size()) << typed;
        EXPECT_EQ(kWarningCaption, seen[0].caption);
        EXPECT_EQ(L"Не правильный Пароль", seen[0].text);
        EXPECT_EQ(L"", WindowText(field));
        EXPECT_TRUE(PromptUp());
        EXPECT_EQ(entry, context->currentEntry);
        EXPECT_EQ(1, entry->armed);
        EXPECT_FALSE(IsWindowVisible(app));
        EXPECT_FALSE(Signalled(UnlockEvent));
    }
}

TEST_F(PromptTest, PasswordsCompareWholeAndCaseSensitive) {
    struct Case {
        const wchar_t *stored, *typed;
        bool match;
    } cases[] = {
        {L"", L"", true},          {L"", L"1", false},       {L"Ab12", L"Ab12", true},
        {L"Ab12", L"ab12", false}, {L"Ab12", L"Ab1", false}, {L"Ab12", L"Ab123", false},
    };
    for (const Case &c : cases) {
        context->settings.password.Assign(c.stored);
        entry->armed = 1;
        ASSERT_EQ(1, Lock(entry));
        SetWindowTextW(field, c.typed);
        BoxAnswerer answerer;
        Command(IDM_PROMPT_DONE);
        EXPECT_EQ(c.match ? 0u : 1u, answerer.Seen().size()) << c.stored << " / " << c.typed;
        EXPECT_EQ(c.match, !IsWindowVisible(context->prompt)) << c.stored << " / " << c.typed;
        if (!c.match) Command(IDM_PROMPT_CANCEL);
    }
}

TEST_F(PromptTest, CancelClosesTheApplicationAndEmptiesTheField) {
    ASSERT_EQ(1, Lock(entry));
    SetWindowTextW(field, L"25");
    Command(IDM_PROMPT_CANCEL);
    Flush();
    EXPECT_EQ(1, ReceivedBy(app).closes);
    EXPECT_EQ(1, entry->armed);
    EXPECT_EQ(app, entry->window);
    EXPECT_EQ(nullptr, context->currentEntry);
    EXPECT_TRUE(Signalled(UnlockEvent));
    EXPECT_FALSE(IsWindowVisible(context->prompt));
    EXPECT_EQ(L"", WindowText(field));
}

TEST_F(PromptTest, AnswersWithoutALockOnlyReleaseTheWatcher) {
    for (WORD id : {IDM_PROMPT_DONE, IDM_PROMPT_CANCEL}) {
        ShowPrompt(*context);
        SetWindowTextW(field, kPassword);
        ResetEvent(UnlockEvent);
        Command(id);
        Flush();
        EXPECT_TRUE(Signalled(UnlockEvent)) << id;
        EXPECT_FALSE(IsWindowVisible(context->prompt)) << id;
        EXPECT_EQ(0, ReceivedBy(app).closes) << id;
        EXPECT_EQ(1, entry->armed);
    }
}

TEST_F(PromptTest, SizingStretchesTheFieldAndHidesTheButtons) {
    ShowPrompt(*context);
    HWND buttons[] = {GetDlgItem(context->prompt, IDM_PROMPT_DONE),
                      GetDlgItem(context->prompt, IDM_PROMPT_CANCEL)};
    for (HWND button : buttons) ShowWindow(button, SW_SHOW);
    MoveWindow(field, 4, 30, 100, 20, FALSE);

    for (LPARAM size : {MAKELPARAM(0, 200), MAKELPARAM(240, 0)}) {
        SendMessageW(context->prompt, WM_SIZE, SIZE_RESTORED, size);
        RECT rect;
        GetWindowRect(field, &rect);
        EXPECT_EQ(100, rect.right - rect.left);
        for (HWND button : buttons) EXPECT_TRUE(WindowHasStyle(button, WS_VISIBLE));
    }

    SendMessageW(context->prompt, WM_SIZE, SIZE_RESTORED, MAKELPARAM(240, 280));
    RECT rect;
    GetWindowRect(field, &rect);
    POINT topLeft = {rect.left, rect.top};
    ScreenToClient(context->prompt, &topLeft);
    EXPECT_EQ(4, topLeft.x);
    EXPECT_EQ(30, topLeft.y);
    EXPECT_EQ(232, rect.right - rect.left);
    EXPECT_EQ(20, rect.bottom - rect.top);
    for (HWND button : buttons) EXPECT_FALSE(WindowHasStyle(button, WS_VISIBLE));
}

TEST_F(PromptTest, QueryIsAnsweredAndUnknownCommandsAreIgnored) {
    HWND asker = MakeTopLevel(L"AgentTestSettings");
    const LPARAM askerParam = reinterpret_cast<LPARAM>(asker);
    for (WPARAM unknown : {WPARAM(0), WPARAM(4), WPARAM(7), WPARAM(0x10001)})
        PostMessageW(context->prompt, MSG_CONTROL, unknown, askerParam);
    Flush();
    EXPECT_EQ(0, ReceivedBy(asker).controls);
    EXPECT_TRUE(IsWindow(context->prompt));

    PostMessageW(context->prompt, MSG_CONTROL, CMD_QUERY, askerParam);
    EXPECT_TRUE(PumpUntil([&] { return ReceivedBy(asker).controls > 0; }, 2000));
    EXPECT_EQ(1, ReceivedBy(asker).controls);
    EXPECT_EQ(WPARAM(CMD_RUNNING), ReceivedBy(asker).controlCommand);
    EXPECT_EQ(0, ReceivedBy(asker).controlParam);
}

TEST_F(PromptTest, ReloadTakesTheNewSettings) {
    HWND hidden = MakeTopLevel(L"AgentTestCallLog", nullptr, false);
    entry->window = hidden;  // the call history, hidden by an earlier lock
    ASSERT_TRUE(PutSettings(LOCK_CONTACTS | LOCK_SMS, L"1111"));
    PostMessageW(context->prompt, MSG_CONTROL, CMD_RELOAD, 0);
    Flush();
    ASSERT_EQ(2u, context->watch.list.size());
    EXPECT_STREQ(L"Inbox.MainWnd", context->watch.list[1]->className.c_str());
    EXPECT_STREQ(L"1111", context->settings.password.c_str());
    EXPECT_TRUE(IsWindowVisible(hidden));
}

// The application the prompt is shown for is dropped from the list: it is
// shown again, and the prompt goes away and releases the watcher.
TEST_F(PromptTest, ReloadDroppingTheLockedApplicationTakesThePromptAway) {
    ASSERT_EQ(1, Lock(entry));
    SetWindowTextW(field, L"25");
    ASSERT_TRUE(PutSettings(LOCK_SMS, kPassword));
    SendMessageW(context->prompt, MSG_CONTROL, CMD_RELOAD, 0);
    EXPECT_EQ(nullptr, context->currentEntry);
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_TRUE(IsWindowVisible(appBar));
    EXPECT_TRUE(Signalled(UnlockEvent));
    EXPECT_FALSE(IsWindowVisible(context->prompt));
    EXPECT_EQ(L"", WindowText(field));
    EXPECT_EQ(0, ReceivedBy(app).closes);
}

TEST_F(PromptTest, StopEndsTheAgent) {
    HWND prompt = context->prompt;
    ASSERT_EQ(prompt, AgentWindowOf(context->cell));
    PostMessageW(prompt, MSG_CONTROL, CMD_STOP, 0);
    // The agent's message loop: runs until the quit message.
    MSG message = {};
    bool quit = false;
    for (DWORD start = GetTickCount(); !quit && GetTickCount() - start < 2000;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(10);
            continue;
        }
        quit = message.message == WM_QUIT;
        if (!quit) DispatchMessageW(&message);
    }
    ASSERT_TRUE(quit);
    EXPECT_EQ(0u, message.wParam);
    EXPECT_FALSE(IsWindow(prompt));
    EXPECT_TRUE(Signalled(context->stopEvent));
    // The cell no longer names a window that is gone.
    AgentWindowCell *cell = OpenAgentWindowCell();
    EXPECT_EQ(nullptr, AgentWindowOf(cell));
    DWORD start = GetTickCount();
    JoinWatcher(*context);
    EXPECT_LT(GetTickCount() - start, 2000u);
}

// While the warning box is up the prompt's own answers do nothing, and a
// reload that drops the locked application shows it at once but leaves the
// prompt, its box and the waiting watcher as they are until the box is
// answered: a hidden prompt would hide the box with it, still holding the
// prompt disabled. Then the prompt goes and the watcher is released.
TEST_F(PromptTest, WhileTheWarningIsUpAnswersWaitAndAReloadWaitsForTheBox) {
    ASSERT_EQ(1, Lock(entry));
    ASSERT_TRUE(PutSettings(LOCK_SMS, kPassword));
    HWND prompt = context->prompt;
    bool boxShown = false, promptShown = false, appShown = false, released = true;
    int boxes = 0;
    BoxAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
        PostMessageW(prompt, WM_COMMAND, IDM_PROMPT_DONE, 0);
        PostMessageW(prompt, WM_COMMAND, IDM_PROMPT_CANCEL, 0);
        PostMessageW(prompt, MSG_CONTROL, CMD_RELOAD, 0);
        Sleep(kBusyMarginMs);  // nothing to see: the box's loop has them by then
        boxShown = IsWindowVisible(box) != FALSE;
        promptShown = IsWindowVisible(prompt) != FALSE;
        appShown = IsWindowVisible(app) != FALSE;
        released = Signalled(UnlockEvent);
        boxes = CountDialogsTitled(GetCurrentProcessId(), kWarningCaption);
    });
    SetWindowTextW(field, L"1");
    Command(IDM_PROMPT_DONE);
    EXPECT_EQ(1u, answerer.Seen().size());
    EXPECT_EQ(1, boxes);
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(promptShown);
    EXPECT_TRUE(appShown);
    EXPECT_FALSE(released);
    EXPECT_EQ(0, ReceivedBy(app).closes) << "the posted Cancel was taken";

    EXPECT_EQ(nullptr, context->currentEntry);
    EXPECT_TRUE(Signalled(UnlockEvent));
    EXPECT_FALSE(IsWindowVisible(prompt));
    EXPECT_TRUE(IsWindowEnabled(prompt));
}

}  // namespace
