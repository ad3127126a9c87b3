// The applications the agent protects: one entry per selected application,
// naming the window class of its main window and carrying its lock state.
#ifndef QUELLOR_AGENT_WATCH_LIST_H
#define QUELLOR_AGENT_WATCH_LIST_H

#include "agent_constants.h"
#include "lock_settings.h"
#include "wide_string.h"

#include <windows.h>

#include <cstddef>
#include <vector>

// Both threads of the agent use an entry; each field has one rule.
// - className: set by the user-interface thread before the entry is first
//   published (WatchListState::Publish hands it over), never changed.
// - armed: the watcher reads it as it walks and arms the entry again (1). The
//   user-interface thread clears it (0) only for the entry the prompt is shown
//   for, while the watcher is blocked behind the prompt: the watcher's sent
//   MSG_LOCK_ENTRY handed the entry over, and UnlockEvent, set after the write,
//   hands it back.
// - window, softKeyBar: written by the watcher alone, each with an interlocked
//   exchange (its lock step records both, its re-arm clears window). The
//   user-interface thread reads them plainly for the entry the prompt is shown
//   for (the watcher is blocked then) and with an interlocked read when a
//   rebuild drops an entry, which the watcher may be locking or re-arming at
//   that very moment.
// An entry is freed only once the watcher cannot hold it (WatchListState).
struct WatchEntry {
    WideString className;
    BYTE armed;       // 1: lock when it comes to the front; 0: unlocked
    HWND window;      // the application window last locked, 0 while none
    HWND softKeyBar;  // that window's soft-key bar at the last lock

    WatchEntry() : armed(1), window(NULL), softKeyBar(NULL) {}
};

// The user-interface thread's alone, in the order of the LockFlags bits; the
// watcher never reads it.
typedef std::vector<WatchEntry *> WatchList;

// What the watcher walks: a copy of the list that the user-interface thread
// fills before it publishes it and never changes afterwards, only replaces
// with the next rebuild's.
struct WatchView {
    std::size_t count;
    WatchEntry *entries[kMaxWatchEntries];
};

// The one owner of the list, its published copy and what waits to be freed.
class WatchListState {
public:
    // ---- The user-interface thread's alone -----------------------------------
    WatchList list;
    // Dropped entries wait here until they can be freed.
    WatchList retired;

    WatchListState();
    // Shows again every application the list holds. The watcher must have ended.
    ~WatchListState();

    // User-interface thread: hands the watcher a copy of list and frees what
    // earlier rebuilds retired once the watcher cannot hold it any more.
    void Publish();
    // User-interface thread: cleared while a rebuild changes the list.
    void SetReady(bool ready);

    // Watcher thread: false while a rebuild is under way; it skips the cycle.
    bool IsReady();
    // Watcher thread: the list to walk in this cycle, held until EndWalk.
    const WatchView *BeginWalk();
    bool IsCurrentView(const WatchView *view) const;
    void EndWalk();

private:
    WatchListState(const WatchListState &);
    WatchListState &operator=(const WatchListState &);

    void CollectRetired();

    // The published copy of list: the user-interface thread replaces it with
    // an interlocked exchange, the watcher reads it with an interlocked read.
    // A view is never changed once published.
    WatchView *view_;
    // 1 from BeginWalk to EndWalk (waiting behind the prompt included): the
    // watcher writes it with interlocked exchanges, the user-interface thread
    // reads it with an interlocked read after it has published a new view.
    LONG walking_;
    // 1 but while a rebuild changes the list (1 from the start, before any
    // list exists): the user-interface thread writes it around each rebuild,
    // the watcher reads it once per cycle, both through the interlocked
    // functions.
    LONG ready_;
    // Replaced views, the user-interface thread's alone until they are freed.
    std::vector<WatchView *> retiredViews_;
};

// 1 for Windows CE 5.x, 0 for other Windows CE versions, -1 off Windows CE.
int ContactsPlatformCheck(const OSVERSIONINFOW &version);
// The Contacts main-window class for an answer of ContactsPlatformCheck.
const WCHAR *ContactsClassFor(int platformCheck);
// The Contacts main-window class on the platform we run on.
const WCHAR *ContactsClassName();

// Reloads settings and rebuilds the list from their lock flags: kept entries
// keep their state, dropped ones show their application again.
void RebuildWatchList(LockSettings &settings, WatchListState &watch);

// Moves the entry named className from oldEntries to list, or appends a new
// armed one when there is none.
void AddWatchEntry(WatchList &list, WatchList &oldEntries, const WCHAR *className);

// Shows each entry's application window and soft-key bar again and moves the
// entry to retired, leaving list empty. The entries are freed later, once the
// watcher cannot be holding them.
void ReleaseWatchEntries(WatchList &list, WatchList &retired);

// Frees the entries and empties the list.
void FreeWatchEntries(WatchList &list);

bool WatchListHolds(const WatchList &list, const WatchEntry *entry);

#endif
