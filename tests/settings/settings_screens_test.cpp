// Every dialog of the settings program on the phone's screen, kept as
// screenshots (<build>/screens) for a person to look at, and checked for
// controls that overlap each other or the soft-key bar.
#include "phone_driver.h"
#include "settings_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace scenario;
using namespace quelset_test;

namespace {

std::string ScreenName(const char *what) {
    const char *size = std::getenv("PHONE_SIZE");
    const char *dpi = std::getenv("PHONE_DPI");
    return std::string("quelset-") + what + "-" + (size ? size : "screen") + "-" +
           (dpi ? dpi : "96");
}

struct ChildQuery {
    std::vector<HWND> children;
};
BOOL CALLBACK CollectVisibleChild(HWND child, LPARAM lp) {
    if (IsWindowVisible(child)) reinterpret_cast<ChildQuery *>(lp)->children.push_back(child);
    return TRUE;
}

// The visible controls of dialog start on the screen with at least their
// first line of text above the soft-key bar, and none covers another.
void ExpectTidy(HWND dialog, DWORD pid) {
    ChildQuery query;
    EnumChildWindows(dialog, CollectVisibleChild, reinterpret_cast<LPARAM>(&query));
    ASSERT_FALSE(query.children.empty());
    HWND bar = AnyWindowOfProcess(pid, L"menu_worker");
    RECT barRect = {0, GetSystemMetrics(SM_CYSCREEN), 0, 0};
    if (bar && IsWindowVisible(bar)) GetWindowRect(bar, &barRect);
    HDC screen = GetDC(nullptr);
    const int textLine = MulDiv(16, GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
    std::vector<RECT> rects;
    for (HWND child : query.children) {
        RECT r;
        GetWindowRect(child, &r);
        const int id = GetDlgCtrlID(child);
        EXPECT_GE(r.left, 0) << "control " << id;
        EXPECT_GT(r.bottom, r.top) << "control " << id;
        EXPECT_LE(r.top + textLine, barRect.top)
            << "control " << id << " is hidden by the soft keys";
        for (size_t i = 0; i < rects.size(); ++i) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &r, &rects[i]))
                << "controls " << id << " and " << GetDlgCtrlID(query.children[i]) << " overlap";
        }
        rects.push_back(r);
    }
}

class QuelsetScreens : public ScenarioTest {
protected:
    void SetUp() override { CleanPhone(); }
    void TearDown() override {
        ScenarioTest::TearDown();
        CleanPhone();
    }

    HWND OpenMenu(const Process &quelset) { return OpenSettingsMenu(quelset.Id()); }
    HWND WaitForDialogInFront(const Process &quelset, const wchar_t *title) {
        HWND found = WaitForDialog(quelset.Id(), title, 5000);
        if (found) WaitForForeground(found);
        Sleep(300);  // let it paint
        return found;
    }
    void ShowPasswordDialog(Process &quelset, const char *name) {
        HWND popup = OpenMenu(quelset);
        ASSERT_NE(popup, nullptr);
        ChooseMenuRow(0);
        HWND dialog = WaitForDialogInFront(quelset, L"Пароль");
        ASSERT_NE(dialog, nullptr);
        SaveScreen(ScreenName(name));
        ExpectTidy(dialog, quelset.Id());
        PressKey(VK_F2);  // "Отмена"
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
    }
};

TEST_F(QuelsetScreens, EveryDialogFitsTheScreen) {
    StoreSettings(15, L"4826");
    Process quelset;
    ASSERT_TRUE(quelset.Start(kQuelset));
    HWND settings = WaitForSettingsDialog(quelset);
    ASSERT_NE(settings, nullptr);
    Sleep(300);
    SaveScreen(ScreenName("settings"));
    ExpectTidy(settings, quelset.Id());

    HWND popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    SaveScreen(ScreenName("menu"));
    RECT menuRect;
    GetWindowRect(popup, &menuRect);
    EXPECT_GE(menuRect.left, 0);
    EXPECT_GE(menuRect.top, 0);
    EXPECT_LE(menuRect.right, GetSystemMetrics(SM_CXSCREEN));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitForNoPopupMenu(quelset.Id()));

    ShowPasswordDialog(quelset, "password-current");

    popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    ChooseMenuRow(2);
    HWND about = WaitForDialogInFront(quelset, L"О программе");
    ASSERT_NE(about, nullptr);
    SaveScreen(ScreenName("about"));
    ExpectTidy(about, quelset.Id());
    PressKey(VK_F1);  // "Готово"
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000));

    ASSERT_TRUE(WaitForForeground(settings));
    PressKey(VK_F1);
    ASSERT_TRUE(quelset.WaitExit(5000));

    // Without a password only the new one is asked for.
    StoreSettings(15, L"");
    Process again;
    ASSERT_TRUE(again.Start(kQuelset));
    ASSERT_NE(WaitForSettingsDialog(again), nullptr);
    ShowPasswordDialog(again, "password-new");
}

}  // namespace
