#include "watch_list.h"

#include "agent_context.h"

#include <algorithm>

namespace {

struct ProtectedApplication {
    uint32_t flag;
    const WCHAR *className;  // null for Contacts: depends on the platform
};

// List order is the order of the bits.
const ProtectedApplication kProtectedApplications[] = {
    {LOCK_CONTACTS, nullptr},
    {LOCK_CALENDAR, kCalendarClass},
    {LOCK_CALL_HISTORY, kCallHistoryClass},
    {LOCK_SMS, kSmsInboxClass},
};

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
    g_watchListReady.store(0);
    LoadSettings(context.settings);  // a missing key keeps the values held so far

    WatchList oldEntries = context.watchList;
    context.watchList.clear();
    const uint32_t flags = context.settings.lockFlags;
    for (const ProtectedApplication &application : kProtectedApplications) {
        if (!(flags & application.flag)) continue;
        const WCHAR *className =
            application.className ? application.className : ContactsClassName();
        AddWatchEntry(context, oldEntries, className);
    }
    ReleaseWatchEntries(oldEntries, context.retiredEntries);
    context.PublishWatchList();
    g_watchListReady.store(1);
}

void AddWatchEntry(AgentContext &context, WatchList &oldEntries, const WCHAR *className) {
    auto kept = std::find_if(oldEntries.begin(), oldEntries.end(), [&](const WatchEntry *entry) {
        return SameText(entry->className.c_str(), className);
    });
    if (kept != oldEntries.end()) {
        context.watchList.push_back(*kept);
        oldEntries.erase(kept);
        return;
    }
    auto *entry = new WatchEntry;
    if (!entry->className.Assign(className)) {
        delete entry;
        return;
    }
    context.watchList.push_back(entry);
}

void ReleaseWatchEntries(WatchList &list, WatchList &retired) {
    for (WatchEntry *entry : list) {
        if (!entry) continue;
        if (entry->softKeyBar) ShowWindow(entry->softKeyBar, SW_SHOW);
        if (entry->window) ShowWindow(entry->window, SW_SHOW);
        retired.push_back(entry);
    }
    list.clear();
}

void FreeWatchEntries(WatchList &list) {
    for (WatchEntry *entry : list) delete entry;
    list.clear();
}

bool WatchListHolds(const WatchList &list, const WatchEntry *entry) {
    return entry && std::find(list.begin(), list.end(), entry) != list.end();
}
