// The applications the agent protects: one entry per selected application,
// naming the window class of its main window and carrying its lock state.
#ifndef QUELLOR_WATCH_LIST_H
#define QUELLOR_WATCH_LIST_H

#include "agent_constants.h"
#include "wide_string.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct WatchEntry {
    WideString className;      // set at creation, never changed
    uint8_t armed = 1;         // 1: lock when it comes to the front; 0: unlocked
    HWND window = nullptr;     // the application window last locked, 0 while none
    HWND softKeyBar = nullptr; // that window's soft-key bar at the last lock
};

// Owned by the user-interface thread, in the order of the LockFlags bits.
using WatchList = std::vector<WatchEntry *>;

// What the watcher walks: a copy of the list that is never changed, only
// replaced by the next rebuild.
struct WatchView {
    std::size_t count = 0;
    WatchEntry *entries[kMaxWatchEntries] = {};
};

class AgentContext;

// 1 for Windows CE 5.x, 0 for other Windows CE versions, -1 off Windows CE.
int ContactsPlatformCheck(const OSVERSIONINFOW &version);
// The Contacts main-window class on the platform we run on.
const WCHAR *ContactsClassName();

// Reloads the settings and rebuilds the list from their lock flags: kept
// entries keep their state, dropped ones show their application again.
void RebuildWatchList(AgentContext &context);

// Moves the entry named className from oldEntries to the list, or appends a
// new armed one when there is none.
void AddWatchEntry(AgentContext &context, WatchList &oldEntries, const WCHAR *className);

// Shows each entry's application window and soft-key bar again and moves the
// entry to retired, leaving list empty. The entries are freed later, once the
// watcher cannot be holding them.
void ReleaseWatchEntries(WatchList &list, WatchList &retired);

// Frees the entries and empties the list.
void FreeWatchEntries(WatchList &list);

bool WatchListHolds(const WatchList &list, const WatchEntry *entry);

#endif
