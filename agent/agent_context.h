// The agent's shared state: one context per process, owned by the entry
// point, shared by the user-interface thread and the watcher thread.
#ifndef QUELLOR_AGENT_CONTEXT_H
#define QUELLOR_AGENT_CONTEXT_H

#include "control_channel.h"
#include "lock_settings.h"
#include "watch_list.h"

#include <windows.h>

#include <atomic>
#include <vector>

// Auto-reset; the prompt sets it when it is answered, the watcher waits on it.
extern const HANDLE UnlockEvent;

// Cleared while a rebuild changes the list; the watcher skips a cycle then.
extern std::atomic<LONG> g_watchListReady;

class AgentContext {
public:
    HWND prompt = nullptr;
    HWND promptBar = nullptr;
    LockSettings settings;
    DWORD watcherThreadId = 0;
    WatchList watchList;
    WatchEntry *currentEntry = nullptr;  // the entry the prompt is shown for
    bool warningOpen;                    // user-interface thread: the wrong-password box is up

    HANDLE watcherThread = nullptr;
    HANDLE stopEvent;                    // manual reset, set once the prompt is gone
    AgentWindowCell *cell = nullptr;
    // The entry the watcher is handing to the prompt right now. A lock request
    // that does not name it is not the watcher's and is refused.
    std::atomic<WatchEntry *> pendingLock{nullptr};

    AgentContext();
    // Shows again every application the list holds. The watcher must have ended.
    virtual ~AgentContext();
    AgentContext(const AgentContext &) = delete;
    AgentContext &operator=(const AgentContext &) = delete;

    // User-interface thread: hands the watcher a copy of watchList and frees
    // what earlier rebuilds retired once the watcher cannot hold it any more.
    void PublishWatchList();
    // Dropped entries wait here until they can be freed.
    WatchList retiredEntries;

    // Watcher thread: the list to walk in this cycle, held until EndWalk.
    const WatchView *BeginWalk();
    bool IsCurrentView(const WatchView *view) const { return view_.load() == view; }
    void EndWalk();

private:
    void CollectRetired();

    std::atomic<WatchView *> view_{nullptr};
    std::atomic<bool> walking_{false};
    std::vector<WatchView *> retiredViews_;
};

#endif
