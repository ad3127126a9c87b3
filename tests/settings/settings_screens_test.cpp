// Every dialog of the settings program on the phone's screen, kept as
// screenshots (<build>/screens) for a person to look at, and checked for
// controls that overlap each other or the soft-key bar.
#include "keys.h"
#include "platform_shell.h"
#include "quelset_driver.h"
#include "scenario_test.h"
#include "screen.h"
#include "settings_key.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace harness;
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
void ExpectTidy(HWND dialog) {
    ChildQuery query;
    EnumChildWindows(dialog, CollectVisibleChild, reinterpret_cast<LPARAM>(&query));
    ASSERT_FALSE(query.children.empty());
    HWND bar = SHFindMenuBar(dialog);
    ASSERT_NE(bar, nullptr) << "no soft-key bar";
    EXPECT_TRUE(IsWindowVisible(bar));
    RECT barRect;
    GetWindowRect(bar, &barRect);
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
    HWND OpenMenu(const Process &quelset) { return OpenSettingsMenu(quelset.Id()); }
    HWND WaitForDialogInFront(const Process &quelset, const wchar_t *title) {
        HWND found = WaitForDialog(quelset.Id(), title);
        if (found && WaitForForeground(found)) WaitPainted(found);
        return found;
    }
    void ShowPasswordDialog(Process &quelset, const char *name) {
        HWND popup = OpenMenu(quelset);
        ASSERT_NE(popup, nullptr);
        ChooseRow(kRowSetPassword);
        HWND dialog = WaitForDialogInFront(quelset, L"Пароль");
        ASSERT_NE(dialog, nullptr);
        SaveScreen(ScreenName(name));
        ExpectTidy(dialog);
        PressKey(VK_TSOFT2);  // "Отмена"
        EXPECT_TRUE(WaitGone(dialog));
    }
};

TEST_F(QuelsetScreens, EveryDialogFitsTheScreen) {
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, kDefaultPassword));
    Process quelset;
    ASSERT_TRUE(quelset.Start(kSettingsExe));
    HWND settings = WaitForSettingsDialog(quelset);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(WaitPainted(settings));
    SaveScreen(ScreenName("settings"));
    ExpectTidy(settings);

    HWND popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    SaveScreen(ScreenName("menu"));
    RECT menuRect;
    GetWindowRect(popup, &menuRect);
    EXPECT_GE(menuRect.left, 0);
    EXPECT_GE(menuRect.top, 0);
    EXPECT_LE(menuRect.right, GetSystemMetrics(SM_CXSCREEN));
    PressKey(VK_TBACK);
    ASSERT_TRUE(WaitForNoPopupMenu(quelset.Id()));

    ShowPasswordDialog(quelset, "password-current");

    popup = OpenMenu(quelset);
    ASSERT_NE(popup, nullptr);
    ChooseRow(kRowAbout);
    HWND about = WaitForDialogInFront(quelset, L"О программе");
    ASSERT_NE(about, nullptr);
    SaveScreen(ScreenName("about"));
    ExpectTidy(about);
    PressKey(VK_TSOFT1);  // "Готово"
    EXPECT_TRUE(WaitGone(about));

    ASSERT_TRUE(WaitForForeground(settings));
    PressKey(VK_TSOFT1);
    ASSERT_TRUE(quelset.WaitExit(kScreenMs));

    // Without a password only the new one is asked for.
    ASSERT_TRUE(PutSettings(kDefaultLockFlags, L""));
    Process again;
    ASSERT_TRUE(again.Start(kSettingsExe));
    ASSERT_NE(WaitForSettingsDialog(again), nullptr);
    ShowPasswordDialog(again, "password-new");
}

}  // namespace
