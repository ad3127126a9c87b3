// The watch list against the real registry: which entries a rebuild makes,
// what it keeps, what it shows again, and what it must not free yet.
#include "watch_list.h"
#include "agent_context.h"
#include "contacts_class.h"
#include "phone_constants.h"
#include "scenario_test.h"
#include "settings_key.h"
#include "test_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace agent_test;
using namespace harness;

namespace {

std::vector<std::wstring> ClassesOf(const WatchList &list) {
    std::vector<std::wstring> names;
    for (const WatchEntry *entry : list) names.push_back(entry->className.c_str());
    return names;
}

class WatchListTest : public SettingsKeyTest {
protected:
    void TearDown() override {
        SettingsKeyTest::TearDown();
        DestroyTestWindows();
    }
};

// The agent finds the phone's applications by the classes they register: both
// sides answer the platform question, and must answer it alike on every
// platform, though only one of them runs here.
TEST_F(WatchListTest, WatchesTheClassesThePhoneRegisters) {
    struct Case {
        DWORD platform, major;
        int check;
        const wchar_t *windowClass;
    } cases[] = {
        {kPlatformWindowsCe, 4, 0, L"Contacts"},
        {kPlatformWindowsCe, 5, 1, L"MSContactsUI"},
        {kPlatformWindowsCe, 6, 0, L"Contacts"},
        {kPlatformWindowsCe, 7, 0, L"Contacts"},
        {VER_PLATFORM_WIN32_NT, 5, -1, L"MSContactsUI"},
        {VER_PLATFORM_WIN32_NT, 10, -1, L"MSContactsUI"},
        {VER_PLATFORM_WIN32_WINDOWS, 4, -1, L"MSContactsUI"},
    };
    for (const Case &c : cases) {
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof version;
        version.dwPlatformId = c.platform;
        version.dwMajorVersion = c.major;
        SCOPED_TRACE(testing::Message() << "platform " << c.platform << " major " << c.major);
        EXPECT_EQ(c.check, ContactsPlatformCheck(version));
        EXPECT_EQ(c.check, phone::ContactsPlatformCheck(version));
        EXPECT_STREQ(c.windowClass, ContactsClassFor(c.check));
        EXPECT_STREQ(c.windowClass, phone::ContactsClassFor(c.check));
    }

    // Here (Wine is no Windows CE): the four applications the phone starts.
    EXPECT_STREQ(kContactsClassCe5, ContactsClassName());
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, L"1"));
    AgentContext context;
    RebuildWatchList(context.settings, context.watch);
    EXPECT_EQ((std::vector<std::wstring>{phone::ContactsWindowClass(), phone::kCalendarClass,
                                         phone::kCallLogClass, phone::kInboxClass}),
              ClassesOf(context.watch.list));
}

TEST_F(WatchListTest, OneArmedEntryPerFlagInBitOrder) {
    const std::wstring contacts = ContactsClassName();
    struct Case {
        uint32_t flags;
        std::vector<std::wstring> classes;
    } cases[] = {
        {15, {contacts, L"Calendar", L"MSClog", L"Inbox.MainWnd"}},
        {9, {contacts, L"Inbox.MainWnd"}},
        {6, {L"Calendar", L"MSClog"}},
        {0, {}},
        {0xFFFFFFF4u, {L"MSClog"}},  // bits above 8 carry no entry
        {0x100, {}},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(PutSettings(c.flags, L"1"));
        AgentContext context;
        context.watch.SetReady(false);
        RebuildWatchList(context.settings, context.watch);
        EXPECT_EQ(c.classes, ClassesOf(context.watch.list)) << c.flags;
        EXPECT_TRUE(context.watch.IsReady());
        for (const WatchEntry *entry : context.watch.list) {
            EXPECT_EQ(1, entry->armed);
            EXPECT_EQ(nullptr, entry->window);
            EXPECT_EQ(nullptr, entry->softKeyBar);
        }
    }
}

TEST_F(WatchListTest, SettingsComeFromTheRegistryWithTheirFallbacks) {
    AgentContext context;
    // No key: the values held so far (here the defaults) stay.
    RebuildWatchList(context.settings, context.watch);
    EXPECT_EQ(4u, context.watch.list.size());
    EXPECT_STREQ(L"4826", context.settings.password.c_str());

    // A key without "LockOption": 7, no SMS.
    ASSERT_TRUE(PutPassword(L"0007"));
    RebuildWatchList(context.settings, context.watch);
    EXPECT_EQ((std::vector<std::wstring>{ContactsClassName(), L"Calendar", L"MSClog"}),
              ClassesOf(context.watch.list));
    EXPECT_STREQ(L"0007", context.settings.password.c_str());

    // The key gone again: the list is rebuilt from what was last loaded.
    DeleteSettingsKey();
    context.settings.lockFlags = 2;
    RebuildWatchList(context.settings, context.watch);
    EXPECT_EQ(std::vector<std::wstring>{L"Calendar"}, ClassesOf(context.watch.list));
}

TEST_F(WatchListTest, RebuildKeepsEntriesAndShowsDroppedApplications) {
    AgentContext context;
    ASSERT_TRUE(PutSettings(15, L"1"));
    RebuildWatchList(context.settings, context.watch);
    ASSERT_EQ(4u, context.watch.list.size());
    WatchList first = context.watch.list;

    // Contacts unlocked, Calendar locked behind the prompt (hidden).
    HWND contactsApp = MakeTopLevel(L"AgentTestContacts");
    HWND calendarApp = MakeTopLevel(L"AgentTestCalendar", nullptr, false);
    HWND calendarBar = MakeTopLevel(L"AgentTestBar", nullptr, false);
    first[0]->armed = 0;
    first[0]->window = contactsApp;
    first[1]->window = calendarApp;
    first[1]->softKeyBar = calendarBar;

    RebuildWatchList(context.settings, context.watch);  // same flags
    EXPECT_EQ(first, context.watch.list);
    EXPECT_EQ(0, first[0]->armed);
    EXPECT_EQ(contactsApp, first[0]->window);
    EXPECT_EQ(1, first[1]->armed);
    EXPECT_EQ(calendarApp, first[1]->window);
    EXPECT_EQ(calendarBar, first[1]->softKeyBar);

    ASSERT_TRUE(PutSettings(13, L"1"));  // Calendar dropped
    RebuildWatchList(context.settings, context.watch);
    EXPECT_EQ((WatchList{first[0], first[2], first[3]}), context.watch.list);
    EXPECT_TRUE(IsWindowVisible(calendarApp));
    EXPECT_TRUE(IsWindowVisible(calendarBar));
    EXPECT_EQ(0, first[0]->armed);
    EXPECT_EQ(contactsApp, first[0]->window);

    ASSERT_TRUE(PutSettings(1, L"1"));
    RebuildWatchList(context.settings, context.watch);
    ASSERT_TRUE(PutSettings(9, L"1"));  // SMS added to Contacts
    RebuildWatchList(context.settings, context.watch);
    ASSERT_EQ(2u, context.watch.list.size());
    EXPECT_EQ(first[0], context.watch.list[0]);
    EXPECT_STREQ(L"Inbox.MainWnd", context.watch.list[1]->className.c_str());
    EXPECT_EQ(1, context.watch.list[1]->armed);
    EXPECT_EQ(nullptr, context.watch.list[1]->window);
}

TEST_F(WatchListTest, EndOfTheAgentShowsEveryHiddenApplication) {
    HWND app = MakeTopLevel(L"AgentTestCallLog", nullptr, false);
    HWND bar = MakeTopLevel(L"AgentTestBar", nullptr, false);
    {
        AgentContext context;
        ASSERT_TRUE(PutSettings(4, L"1"));
        RebuildWatchList(context.settings, context.watch);
        context.watch.list[0]->window = app;
        context.watch.list[0]->softKeyBar = bar;
    }
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_TRUE(IsWindowVisible(bar));
}

// The watcher may be walking the list, or waiting behind the prompt with an
// entry in hand, when a rebuild drops entries: they must outlive its walk.
TEST_F(WatchListTest, DroppedEntriesOutliveTheWatchersWalk) {
    AgentContext context;
    ASSERT_TRUE(PutSettings(15, L"1"));
    RebuildWatchList(context.settings, context.watch);

    const WatchView *view = context.watch.BeginWalk();
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(4u, view->count);
    ASSERT_TRUE(PutSettings(0, L"1"));
    RebuildWatchList(context.settings, context.watch);
    EXPECT_TRUE(context.watch.list.empty());
    EXPECT_FALSE(context.watch.IsCurrentView(view));
    ASSERT_EQ(4u, context.watch.retired.size());
    // Still readable by the walking watcher.
    EXPECT_STREQ(L"Inbox.MainWnd", view->entries[3]->className.c_str());
    context.watch.EndWalk();

    // The next rebuild that finds the watcher between cycles frees them.
    RebuildWatchList(context.settings, context.watch);
    EXPECT_TRUE(context.watch.retired.empty());
    const WatchView *next = context.watch.BeginWalk();
    EXPECT_EQ(0u, next->count);
    context.watch.EndWalk();
}

}  // namespace
