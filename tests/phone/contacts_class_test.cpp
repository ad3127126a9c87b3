// Which class Contacts registers must match what the lock agent looks for on
// every platform the phone software runs on.
#include "contacts_class.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PlatformCase {
    DWORD platformId;
    DWORD major;
    int check;
    const wchar_t *windowClass;
};

TEST(ContactsClass, FollowsThePlatformCheck) {
    const PlatformCase cases[] = {
        {2, 10, -1, L"MSContactsUI"},  // desktop Windows (and Wine)
        {0, 5, -1, L"MSContactsUI"},   // not CE, even with major 5
        {3, 5, 1, L"MSContactsUI"},    // Windows CE 5.x
        {3, 4, 0, L"Contacts"},        // Windows CE 4.2
        {3, 6, 0, L"Contacts"},        // Windows CE 6
        {3, 7, 0, L"Contacts"},
    };
    for (const PlatformCase &c : cases) {
        OSVERSIONINFOW v = {};
        v.dwOSVersionInfoSize = sizeof v;
        v.dwPlatformId = c.platformId;
        v.dwMajorVersion = c.major;
        SCOPED_TRACE(testing::Message() << "platform " << c.platformId << " major " << c.major);
        EXPECT_EQ(phone::ContactsPlatformCheck(v), c.check);
        EXPECT_EQ(std::wstring(phone::ContactsClassFor(c.check)), c.windowClass);
    }
}

TEST(ContactsClass, IsMSContactsUIHere) {
    // GetVersionExW reports no CE platform under Wine.
    EXPECT_EQ(std::wstring(phone::ContactsWindowClass()), L"MSContactsUI");
}

}  // namespace
