#include "watcher.h"

#include "agent_context.h"
#include "platform_shell.h"

namespace {

void HideApplication(HWND window, HWND softKeyBar) {
    ShowWindow(softKeyBar, SW_HIDE);
    ShowWindow(window, SW_MINIMIZE);
    ShowWindow(window, SW_HIDE);
}

// The prompt takes the request only when it names the entry the watcher has
// announced in pendingLock and the entry is still in the list.
bool HandToPrompt(AgentContext &context, HWND window, WatchEntry &entry) {
    ExchangeShared(&context.pendingLock, &entry);
    // 0 before the prompt's creation has returned: then nobody takes it.
    HWND prompt = ReadShared(&context.prompt);
    LRESULT taken = SendMessageW(prompt, MSG_LOCK_ENTRY, reinterpret_cast<WPARAM>(window),
                                 reinterpret_cast<LPARAM>(&entry));
    ExchangeShared(&context.pendingLock, static_cast<WatchEntry *>(NULL));
    return taken != 0;
}

// Armed entry: lock its application when the foreground window is its main
// window or one of that window's ancestors. False when the agent is stopping.
bool LockIfInFront(AgentContext &context, WatchEntry &entry, HWND foreground) {
    HWND window = FindWindowW(entry.className.c_str(), NULL);
    if (!window || !IsSameOrAncestor(foreground, window)) return true;

    HWND bar = SHFindMenuBar(window);
    // A rebuild on the user-interface thread may be reading them right now.
    ExchangeShared(&entry.window, window);
    ExchangeShared(&entry.softKeyBar, bar);
    HideApplication(window, bar);
    // Refused when the prompt is gone, or a rebuild has just dropped the
    // entry: the application must not stay hidden with no prompt for it.
    if (!HandToPrompt(context, window, entry)) {
        RestoreApplication(window, bar);
        return true;
    }
    // The prompt reset UnlockEvent as it took the request, so an answer given
    // from now on, even during the pause below, releases the wait.
    Sleep(kBackKeyPauseMs);
    // A silent Back press and release once the prompt is in front.
    keybd_event(VK_TBACK, 0, KEYEVENTF_SILENT, 0);
    keybd_event(VK_TBACK, 0, KEYEVENTF_KEYUP | KEYEVENTF_SILENT, 0);

    HANDLE waits[] = {context.stopEvent, UnlockEvent};
    return WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

// Unlocked entry: stays unlocked while its window, or a window under it, is in
// front; armed again once something else is or the window is gone.
void RearmIfLeft(WatchEntry &entry, HWND foreground) {
    if (!entry.window) return;
    if (IsWindow(entry.window) && IsSameOrAncestor(entry.window, foreground)) return;
    entry.armed = 1;
    ExchangeShared(&entry.window, HWND());
}

}  // namespace

int IsSameOrAncestor(HWND a, HWND b) {
    if (b == a) return 1;
    for (;;) {
        if (!b) return 0;
        b = GetParent(b);
        if (b == a) return 1;
    }
}

bool WatchOnce(AgentContext &context, HWND foreground) {
    if (!context.watch.IsReady() || !foreground) return true;
    bool running = true;
    const WatchView *view = context.watch.BeginWalk();
    // A rebuild during the walk (while we waited behind the prompt) ends it:
    // the next cycle walks the new list.
    for (std::size_t i = 0; view && running && i < view->count && context.watch.IsCurrentView(view);
         ++i) {
        WatchEntry &entry = *view->entries[i];
        if (entry.armed)
            running = LockIfInFront(context, entry, foreground);
        else
            RearmIfLeft(entry, foreground);
    }
    context.watch.EndWalk();
    return running;
}

DWORD WINAPI WatcherMain(LPVOID parameter) {
    AgentContext &context = *static_cast<AgentContext *>(parameter);
    // The stop event, not a thread message: it also reaches a watcher that has
    // not polled yet or is waiting behind the prompt.
    while (WaitForSingleObject(context.stopEvent, kPollPeriodMs) == WAIT_TIMEOUT) {
        if (!WatchOnce(context, GetForegroundWindow())) break;
    }
    return 0;
}

bool StartWatcher(AgentContext &context) {
    context.watcherThread =
        CreateThread(NULL, 0, WatcherMain, &context, 0, &context.watcherThreadId);
    return context.watcherThread != NULL;
}

void StopWatcher(AgentContext &context) {
    SetEvent(context.stopEvent);
}

void JoinWatcher(AgentContext &context) {
    if (!context.watcherThread) return;
    // The watcher may be inside SendMessageW to a window of this thread: keep
    // taking sent messages while waiting, or both would wait for ever. Every
    // PeekMessageW delivers the messages sent to this thread before it looks
    // at the queue; PM_NOREMOVE leaves what was posted to it there.
    while (MsgWaitForMultipleObjects(1, &context.watcherThread, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageW(&message, NULL, 0, 0, PM_NOREMOVE);
    }
    CloseHandle(context.watcherThread);
    context.watcherThread = NULL;
}

void RestoreApplication(HWND window, HWND softKeyBar) {
    ShowWindow(window, SW_RESTORE);
    ShowWindow(window, SW_SHOW);
    ShowWindow(softKeyBar, SW_SHOW);
}
