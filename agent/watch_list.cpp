#include "watch_list.h"

#include "platform_shell.h"

#include <algorithm>

namespace {

struct ProtectedApplication {
    DWORD flag;
    const WCHAR *className;  // null for Contacts: depends on the platform
};

// List order is the order of the bits.
const ProtectedApplication kProtectedApplications[] = {
    {LOCK_CONTACTS, NULL},
    {LOCK_CALENDAR, kCalendarClass},
    {LOCK_CALL_HISTORY, kCallHistoryClass},
    {LOCK_SMS, kSmsInboxClass},
};
const std::size_t kProtectedApplicationCount =
    sizeof kProtectedApplications / sizeof kProtectedApplications[0];

}  // namespace

int ContactsPlatformCheck(const OSVERSIONINFOW &version) {
    if (version.dwPlatformId != kPlatformWindowsCe) return -1;
    return version.dwMajorVersion == 5 ? 1 : 0;
}

const WCHAR *ContactsClassFor(int platformCheck) {
    return platformCheck ? kContactsClassCe5 : kContactsClassOther;
}

const WCHAR *ContactsClassName() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return ContactsClassFor(ContactsPlatformCheck(version));
}

void RebuildWatchList(LockSettings &settings, WatchListState &watch) {
    watch.SetReady(false);
    LoadSettings(settings);  // a missing key keeps the values held so far

    WatchList oldEntries = watch.list;
    watch.list.clear();
    const DWORD flags = settings.lockFlags;
    for (std::size_t i = 0; i < kProtectedApplicationCount; ++i) {
        const ProtectedApplication &application = kProtectedApplications[i];
        if (!(flags & application.flag)) continue;
        const WCHAR *className =
            application.className ? application.className : ContactsClassName();
        AddWatchEntry(watch.list, oldEntries, className);
    }
    ReleaseWatchEntries(oldEntries, watch.retired);
    watch.Publish();
    watch.SetReady(true);
}

void AddWatchEntry(WatchList &list, WatchList &oldEntries, const WCHAR *className) {
    for (WatchList::iterator kept = oldEntries.begin(); kept != oldEntries.end(); ++kept) {
        if (!SameText((*kept)->className.c_str(), className)) continue;
        list.push_back(*kept);
        oldEntries.erase(kept);
        return;
    }
    WatchEntry *entry = new WatchEntry;
    if (!entry->className.Assign(className)) {
        delete entry;
        return;
    }
    list.push_back(entry);
}

void ReleaseWatchEntries(WatchList &list, WatchList &retired) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        WatchEntry *entry = list[i];
        if (!entry) continue;
        // The watcher may be locking or re-arming the entry at this moment.
        if (HWND bar = ReadShared(&entry->softKeyBar)) ShowWindow(bar, SW_SHOW);
        if (HWND window = ReadShared(&entry->window)) ShowWindow(window, SW_SHOW);
        retired.push_back(entry);
    }
    list.clear();
}

void FreeWatchEntries(WatchList &list) {
    for (std::size_t i = 0; i < list.size(); ++i) delete list[i];
    list.clear();
}

bool WatchListHolds(const WatchList &list, const WatchEntry *entry) {
    return entry && std::find(list.begin(), list.end(), entry) != list.end();
}

WatchListState::WatchListState() : view_(NULL), walking_(0), ready_(1) {}

WatchListState::~WatchListState() {
    ReleaseWatchEntries(list, retired);
    FreeWatchEntries(retired);
    delete view_;
    for (std::size_t i = 0; i < retiredViews_.size(); ++i) delete retiredViews_[i];
}

void WatchListState::Publish() {
    WatchView *view = new WatchView();
    view->count = list.size() < kMaxWatchEntries ? list.size() : kMaxWatchEntries;
    for (std::size_t i = 0; i < view->count; ++i) view->entries[i] = list[i];
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
void WatchListState::CollectRetired() {
    if (ReadShared(&walking_)) return;
    FreeWatchEntries(retired);
    for (std::size_t i = 0; i < retiredViews_.size(); ++i) delete retiredViews_[i];
    retiredViews_.clear();
}

void WatchListState::SetReady(bool ready) {
    InterlockedExchange(&ready_, ready ? 1 : 0);
}

bool WatchListState::IsReady() {
    return ReadShared(&ready_) != 0;
}

const WatchView *WatchListState::BeginWalk() {
    InterlockedExchange(&walking_, 1);
    return ReadShared(&view_);
}

bool WatchListState::IsCurrentView(const WatchView *view) const {
    return ReadShared(&view_) == view;
}

void WatchListState::EndWalk() {
    InterlockedExchange(&walking_, 0);
}
