#include "agent_context.h"

#include <algorithm>

const HANDLE UnlockEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
std::atomic<LONG> g_watchListReady{1};

AgentContext::AgentContext()
    : warningOpen(false), stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

AgentContext::~AgentContext() {
    ReleaseWatchEntries(watchList, retiredEntries);
    FreeWatchEntries(retiredEntries);
    delete view_.exchange(nullptr);
    for (WatchView *view : retiredViews_) delete view;
    if (stopEvent) CloseHandle(stopEvent);
}

void AgentContext::PublishWatchList() {
    auto *view = new WatchView;
    view->count = std::min(watchList.size(), kMaxWatchEntries);
    std::copy_n(watchList.begin(), view->count, view->entries);
    if (WatchView *old = view_.exchange(view)) retiredViews_.push_back(old);
    CollectRetired();
}

// The new view is published before walking_ is read. If the watcher is not
// walking now, its next walk starts after this point and can only pick up the
// new view, which holds no retired entry: everything retired can go. If it is
// walking (or waiting behind the prompt) it may hold any of them, and they
// stay until a later rebuild, or the end of the agent, finds it idle. The
// user-interface thread never waits for the watcher.
void AgentContext::CollectRetired() {
    if (walking_.load()) return;
    FreeWatchEntries(retiredEntries);
    for (WatchView *view : retiredViews_) delete view;
    retiredViews_.clear();
}

const WatchView *AgentContext::BeginWalk() {
    walking_.store(true);
    return view_.load();
}

void AgentContext::EndWalk() {
    walking_.store(false);
}
