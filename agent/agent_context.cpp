#include "agent_context.h"

#include "platform_shell.h"

const HANDLE UnlockEvent = CreateEventW(NULL, FALSE, FALSE, NULL);
LONG g_watchListReady = 1;

AgentContext::AgentContext()
    : promptBar(NULL),
      watcherThreadId(0),
      watcherThread(NULL),
      cell(NULL),
      currentEntry(NULL),
      warningOpen(false),
      prompt(NULL),
      stopEvent(CreateEventW(NULL, TRUE, FALSE, NULL)),
      pendingLock(NULL),
      view_(NULL),
      walking_(0) {}

AgentContext::~AgentContext() {
    ReleaseWatchEntries(watchList, retiredEntries);
    FreeWatchEntries(retiredEntries);
    delete view_;
    for (std::size_t i = 0; i < retiredViews_.size(); ++i) delete retiredViews_[i];
    if (stopEvent) CloseHandle(stopEvent);
}

void AgentContext::PublishWatchList() {
    WatchView *view = new WatchView();
    view->count = watchList.size() < kMaxWatchEntries ? watchList.size() : kMaxWatchEntries;
    for (std::size_t i = 0; i < view->count; ++i) view->entries[i] = watchList[i];
    if (WatchView *old = ExchangeShared(&view_, view)) retiredViews_.push_back(old);
    CollectRetired();
}

// The new view is published before walking_ is read, and the watcher sets
// walking_ before it reads the view; each step is a full barrier. If the
// watcher is not walking now, its next walk starts after this point and can
// only pick up the new view, which holds no retired entry: everything retired
// can go. If it is walking (or waiting behind the prompt) it may hold any of
// them, and they stay until a later rebuild, or the end of the agent, finds
// it idle. The user-interface thread never waits for the watcher.
void AgentContext::CollectRetired() {
    if (ReadShared(&walking_)) return;
    FreeWatchEntries(retiredEntries);
    for (std::size_t i = 0; i < retiredViews_.size(); ++i) delete retiredViews_[i];
    retiredViews_.clear();
}

const WatchView *AgentContext::BeginWalk() {
    InterlockedExchange(&walking_, 1);
    return ReadShared(&view_);
}

bool AgentContext::IsCurrentView(const WatchView *view) const {
    return ReadShared(&view_) == view;
}

void AgentContext::EndWalk() {
    InterlockedExchange(&walking_, 0);
}
