#include "watch_list.h"

#include "agent_context.h"
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

const WCHAR *ContactsClassName() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return ContactsPlatformCheck(version) ? kContactsClassCe5 : kContactsClassOther;
}

void RebuildWatchList(AgentContext &context) {
    InterlockedExchange(&g_watchListReady, 0);
    LoadSettings(context.settings);  // a missing key keeps the values held so far

    WatchList oldEntries = context.watchList;
    context.watchList.clear();
    const DWORD flags = context.settings.lockFlags;
    for (std::size_t i = 0; i < kProtectedApplicationCount; ++i) {
        const ProtectedApplication &application = kProtectedApplications[i];
        if (!(flags & application.flag)) continue;
        const WCHAR *className =
            application.className ? application.className : ContactsClassName();
        AddWatchEntry(context, oldEntries, className);
    }
    ReleaseWatchEntries(oldEntries, context.retiredEntries);
    context.PublishWatchList();
    InterlockedExchange(&g_watchListReady, 1);
}

void AddWatchEntry(AgentContext &context, WatchList &oldEntries, const WCHAR *className) {
    for (WatchList::iterator kept = oldEntries.begin(); kept != oldEntries.end(); ++kept) {
        if (!SameText((*kept)->className.c_str(), className)) continue;
        context.watchList.push_back(*kept);
        oldEntries.erase(kept);
        return;
    }
    WatchEntry *entry = new WatchEntry;
    if (!entry->className.Assign(className)) {
        delete entry;
        return;
    }
    context.watchList.push_back(entry);
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
