// SHCreateMenuBar on good and malformed resources, the bar window it makes,
// SHFindMenuBar in this process, and SHInitDialog's full-screen sizing at the
// screen size the test runs with.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "platform_shell.h"
#include "shell_internal.h"
#include "shell_test_resource.h"
#include "test_dialog.h"
#include "window_search.h"

namespace {

using shelltest::CreatePlainDialog;

SHMENUBARINFO BarInfo(HWND owner, UINT id) {
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof(mbi);
    mbi.hwndParent = owner;
    mbi.nToolBarId = id;
    mbi.hInstRes = GetModuleHandleW(nullptr);
    return mbi;
}

int ExpectedBarHeight() {
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return MulDiv(mobileshell::kBarHeight, dpi, USER_DEFAULT_SCREEN_DPI);
}

TEST(MenuBar, MalformedOrMissingResourcesFailCleanly) {
    HWND owner = CreatePlainDialog();
    ASSERT_NE(nullptr, owner);
    struct Case {
        const char *what;
        UINT id;
        DWORD cbSize;
        bool nullParent;
    } cases[] = {
        {"missing RCDATA", IDR_BAR_MISSING, sizeof(SHMENUBARINFO), false},
        {"truncated button", IDR_BAR_TRUNCATED, sizeof(SHMENUBARINFO), false},
        {"count claims more buttons than bytes", IDR_BAR_COUNT_TOO_BIG, sizeof(SHMENUBARINFO),
         false},
        {"header cut short", IDR_BAR_HEADER_ONLY, sizeof(SHMENUBARINFO), false},
        {"pop-up index out of range", IDR_BAR_POPUP_RANGE, sizeof(SHMENUBARINFO), false},
        {"pop-up index names a plain item", IDR_BAR_POPUP_NOT_SUB, sizeof(SHMENUBARINFO), false},
        {"menu missing for a pop-up", IDR_BAR_MENU_MISSING, sizeof(SHMENUBARINFO), false},
        {"label string missing", IDR_BAR_LABEL_MISSING, sizeof(SHMENUBARINFO), false},
        {"cbSize 0", IDR_BAR_POPUP, 0, false},
        {"cbSize too large", IDR_BAR_POPUP, sizeof(SHMENUBARINFO) + 4, false},
        {"null parent", IDR_BAR_POPUP, sizeof(SHMENUBARINFO), true},
    };
    for (const Case &c : cases) {
        SHMENUBARINFO mbi = BarInfo(c.nullParent ? nullptr : owner, c.id);
        mbi.cbSize = c.cbSize;
        mbi.hwndMB = reinterpret_cast<HWND>(1);
        EXPECT_FALSE(SHCreateMenuBar(&mbi)) << c.what;
        EXPECT_EQ(nullptr, mbi.hwndMB) << c.what;
        EXPECT_EQ(nullptr, SHFindMenuBar(owner)) << c.what;
    }
    SHMENUBARINFO gone = BarInfo(reinterpret_cast<HWND>(0x12345678), IDR_BAR_POPUP);
    EXPECT_FALSE(SHCreateMenuBar(&gone)) << "owner that is not a window";
    EXPECT_FALSE(SHCreateMenuBar(nullptr));
    bool made = true;
    std::thread([&] {
        SHMENUBARINFO theirs = BarInfo(owner, IDR_BAR_TWO_COMMANDS);
        made = SHCreateMenuBar(&theirs) != FALSE;
    }).join();
    EXPECT_FALSE(made) << "owner of another thread (a bar's state is one thread's)";
    DestroyWindow(owner);
}

TEST(MenuBar, GoodResourcesMakeAnOwnedBarAtTheBottom) {
    const UINT ids[] = {IDR_BAR_POPUP, IDR_BAR_TWO_COMMANDS, IDR_BAR_ONE_BUTTON, IDR_BAR_PADDED};
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    for (UINT id : ids) {
        HWND owner = CreatePlainDialog();
        SHMENUBARINFO mbi = BarInfo(owner, id);
        ASSERT_TRUE(SHCreateMenuBar(&mbi)) << id;
        HWND bar = mbi.hwndMB;
        ASSERT_NE(nullptr, bar) << id;
        EXPECT_EQ(mobileshell::kBarClass, harness::ClassName(bar)) << id;
        EXPECT_EQ(owner, GetWindow(bar, GW_OWNER)) << id;
        EXPECT_FALSE(GetWindowLongW(bar, GWL_STYLE) & WS_CHILD) << "a top-level window";
        EXPECT_EQ(GetDesktopWindow(), GetAncestor(bar, GA_PARENT)) << id;
        EXPECT_TRUE(GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_NOACTIVATE) << id;
        EXPECT_TRUE(IsWindowVisible(bar)) << id;
        RECT rc;
        GetWindowRect(bar, &rc);
        EXPECT_EQ(0, rc.left) << id;
        EXPECT_EQ(cx, rc.right) << id;
        EXPECT_EQ(cy, rc.bottom) << id;
        EXPECT_EQ(ExpectedBarHeight(), rc.bottom - rc.top) << id;
        EXPECT_EQ(bar, SHFindMenuBar(owner)) << id;
        DestroyWindow(owner);
        EXPECT_FALSE(IsWindow(bar)) << "destroyed with its owner, bar " << id;
    }
}

TEST(MenuBar, DeviceSizeOfTheStructAndOptionalFlags) {
    HWND owner = CreatePlainDialog();
    SHMENUBARINFO mbi = BarInfo(owner, IDR_BAR_TWO_COMMANDS);
    mbi.cbSize = 36;  // the device's (32-bit) size, as phone code writes it literally
    ASSERT_TRUE(SHCreateMenuBar(&mbi));
    EXPECT_TRUE(DestroyWindow(mbi.hwndMB));
    EXPECT_EQ(nullptr, SHFindMenuBar(owner)) << "DestroyWindow on the bar removes it";

    mbi = BarInfo(owner, IDR_BAR_TWO_COMMANDS);
    mbi.dwFlags = SHCMBF_HIDDEN;
    ASSERT_TRUE(SHCreateMenuBar(&mbi));
    EXPECT_FALSE(IsWindowVisible(mbi.hwndMB));
    DestroyWindow(mbi.hwndMB);

    mbi = BarInfo(owner, IDR_BAR_MISSING);
    mbi.dwFlags = SHCMBF_EMPTYBAR;
    EXPECT_TRUE(SHCreateMenuBar(&mbi)) << "an empty bar needs no resource";
    DestroyWindow(owner);
}

TEST(MenuBar, FindMenuBarWithoutABar) {
    HWND owner = CreatePlainDialog();
    EXPECT_EQ(nullptr, SHFindMenuBar(owner));
    EXPECT_EQ(nullptr, SHFindMenuBar(nullptr));
    EXPECT_EQ(nullptr, SHFindMenuBar(GetDesktopWindow()));
    DestroyWindow(owner);
    EXPECT_EQ(nullptr, SHFindMenuBar(owner)) << "a window that is gone";
}

// Bars move in the window order all the time (each follows its owner), and
// another program looks a bar up meanwhile (the agent hides the bar of the
// application it locks): a bar on the screen is always found.
TEST(MenuBar, FindMenuBarWhileBarsMove) {
    HWND owners[2] = {CreatePlainDialog(), CreatePlainDialog()};
    HWND bars[2] = {};
    for (int i = 0; i < 2; ++i) {
        SHMENUBARINFO mbi = BarInfo(owners[i], IDR_BAR_TWO_COMMANDS);
        ASSERT_TRUE(SHCreateMenuBar(&mbi));
        bars[i] = mbi.hwndMB;
        ShowWindow(owners[i], SW_SHOWNOACTIVATE);
    }
    std::atomic<bool> done{false};
    int missed = 0;
    std::thread looker([&] {
        for (int i = 0; i < 3000; ++i) {
            if (SHFindMenuBar(owners[0]) != bars[0] || SHFindMenuBar(owners[1]) != bars[1])
                ++missed;
        }
        done = true;
    });
    // The owners take turns at the top, their bars with them.
    for (int turn = 0; !done; ++turn) {
        SetWindowPos(owners[turn % 2], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    looker.join();
    EXPECT_EQ(0, missed);
    for (HWND owner : owners) DestroyWindow(owner);
}

// A tap on the left label sends the left command.
TEST(MenuBar, MouseTapOnLabel) {
    shelltest::TestDialog dlg;
    dlg.Run({}, [](shelltest::TestDialog &d) {
        PostMessageW(d.Bar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(d.Bar(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        d.WaitForCommand(IDC_LEFT);
        d.End();
    });
    auto events = dlg.Events();
    EXPECT_EQ(1, shelltest::TestDialog::CountCommand(events, IDC_LEFT));
}

// ---- SHInitDialog ------------------------------------------------------------

struct SizeLog {
    int sizes = 0;
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
        if (msg == WM_INITDIALOG) SetWindowLongPtrW(dlg, DWLP_USER, lp);
        auto *self = reinterpret_cast<SizeLog *>(GetWindowLongPtrW(dlg, DWLP_USER));
        if (msg == WM_SIZE && self) ++self->sizes;
        return FALSE;
    }
};

TEST(InitDialog, FullScreenAboveTheBarAtThisScreenSize) {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    for (bool withBar : {true, false}) {
        SizeLog log;
        HWND dlg =
            CreateDialogIndirectParamW(GetModuleHandleW(nullptr), shelltest::TestTemplate(),
                                       nullptr, SizeLog::Proc, reinterpret_cast<LPARAM>(&log));
        ASSERT_NE(nullptr, dlg);
        int barTop = cy;
        if (withBar) {
            SHMENUBARINFO mbi = BarInfo(dlg, IDR_BAR_POPUP);
            ASSERT_TRUE(SHCreateMenuBar(&mbi));
            RECT br;
            GetWindowRect(mbi.hwndMB, &br);
            barTop = br.top;
            EXPECT_EQ(cy - ExpectedBarHeight(), barTop);
        }
        log.sizes = 0;
        SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
        EXPECT_TRUE(SHInitDialog(&shidi));
        RECT rc;
        GetWindowRect(dlg, &rc);
        EXPECT_EQ(0, rc.left) << cx << "x" << cy << " bar " << withBar;
        EXPECT_EQ(0, rc.top);
        EXPECT_EQ(cx, rc.right);
        EXPECT_EQ(barTop, rc.bottom);
        EXPECT_GE(log.sizes, 1) << "WM_SIZE delivered";

        log.sizes = 0;
        EXPECT_TRUE(SHInitDialog(&shidi));
        EXPECT_EQ(1, log.sizes) << "WM_SIZE also when the size stays";
        DestroyWindow(dlg);
    }
}

// The phone has no minimised windows: a full-screen dialog that is not on the
// screen stays off it, and leaves the foreground where it is, through the
// moves its program makes to hide a window (out of the topmost group, then
// minimised); restored, it comes back at its full size and lays itself out.
TEST(InitDialog, AHiddenDialogStaysOffTheScreenUntilRestored) {
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(front);
    ASSERT_TRUE(harness::WaitUntil([&] { return GetForegroundWindow() == front; }, 5000));
    // The tests' template without WS_VISIBLE, as the lock prompt's.
    const auto *shown = reinterpret_cast<const BYTE *>(shelltest::TestTemplate());
    std::vector<BYTE> hidden(shown, shown + 4096);
    DWORD style;  // DLGTEMPLATEEX: version, signature, help id, extended style, style
    memcpy(&style, &hidden[12], sizeof style);
    style &= ~WS_VISIBLE;
    memcpy(&hidden[12], &style, sizeof style);

    SizeLog log;
    bool stayedOff = false, stayedBehind = false, restoredWhole = false;
    std::thread program([&] {
        HWND dlg = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE *>(hidden.data()),
            nullptr, SizeLog::Proc, reinterpret_cast<LPARAM>(&log));
        SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, SHIDIF_SIZEDLGFULLSCREEN};
        SHInitDialog(&shidi);
        RECT full;
        GetWindowRect(dlg, &full);
        SetWindowPos(dlg, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        stayedBehind = GetForegroundWindow() == front;
        ShowWindow(dlg, SW_MINIMIZE);
        stayedOff = !IsWindowVisible(dlg);
        stayedBehind = stayedBehind && GetForegroundWindow() == front;
        ShowWindow(dlg, SW_HIDE);
        log.sizes = 0;
        ShowWindow(dlg, SW_RESTORE);
        RECT restored;
        GetWindowRect(dlg, &restored);
        restoredWhole = IsWindowVisible(dlg) && !IsIconic(dlg) && EqualRect(&full, &restored);
        DestroyWindow(dlg);
    });
    program.join();
    EXPECT_TRUE(stayedBehind) << "a window nobody sees took the foreground";
    EXPECT_TRUE(stayedOff) << "minimising showed it";
    EXPECT_TRUE(restoredWhole);
    EXPECT_GE(log.sizes, 1) << "no WM_SIZE to lay it out";
    DestroyWindow(front);
}

// A message box of a phone program (one whose thread the shell serves) stays
// on the screen: on the narrowest one the lock's warning would run past both
// edges with its text on one line.
TEST(InitDialog, AMessageBoxFitsTheScreen) {
    std::thread program([] {
        HWND dialog = CreatePlainDialog();
        SHINITDLGINFO info = {SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
        SHInitDialog(&info);
        MessageBoxW(dialog, L"Не правильный Пароль", L"Предупреждение", MB_ICONEXCLAMATION);
        DestroyWindow(dialog);
    });
    HWND box = harness::WaitForWindow(harness::kDialogClass, L"Предупреждение", 5000);
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(harness::WaitShown(box, 5000));
    RECT rc;
    GetWindowRect(box, &rc);
    EXPECT_GE(rc.left, 0);
    EXPECT_LE(rc.right, GetSystemMetrics(SM_CXSCREEN));
    RECT text;
    GetWindowRect(GetDlgItem(box, harness::kMessageBoxTextId), &text);
    EXPECT_GE(text.left, rc.left);
    EXPECT_LE(text.right, rc.right) << "the text is inside the box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    program.join();
}

TEST(InitDialog, BadArgumentsAndDoneButton) {
    EXPECT_FALSE(SHInitDialog(nullptr));
    SHINITDLGINFO none = {SHIDIM_FLAGS, nullptr, SHIDIF_SIZEDLGFULLSCREEN};
    EXPECT_FALSE(SHInitDialog(&none));
    HWND dlg = CreatePlainDialog();
    RECT before, after;
    GetWindowRect(dlg, &before);
    SHINITDLGINFO done = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON};
    EXPECT_TRUE(SHInitDialog(&done));
    GetWindowRect(dlg, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "Done button alone changes nothing";
    DestroyWindow(dlg);
}

}  // namespace
