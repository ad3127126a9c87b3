#include "quelset_driver.h"

#include "keys.h"
#include "screen.h"
#include "waits.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace quelset_test {

using namespace harness;

HWND WaitForSettingsDialog(const Process &quelset) {
    HWND dialog = WaitForDialog(quelset.Id(), L"Настройки", kStartMs);
    if (dialog) WaitForForeground(dialog);
    return dialog;
}

HWND OpenSettingsMenu(DWORD pid) {
    // On a busy machine Wine may learn only after the pop-up has opened that
    // the dialog's own window reached the X screen, and then raises that
    // window over everything, the pop-up included: the pop-up works but
    // cannot be seen. Closed and opened again, it comes up on top.
    for (int attempt = 0; attempt < 3; ++attempt) {
        PressKey(VK_TSOFT2);
        HWND popup = WaitForPopupMenu(pid);
        if (!popup) return nullptr;
        WaitPainted(popup);
        if (WaitUntil([&] { return ReadMenuRows(popup).size() == 3; }, 1500, 100)) return popup;
        std::printf("the pop-up is open but not on the screen; opening it again\n");
        PressKey(VK_TBACK);
        if (!WaitForNoPopupMenu(pid)) return popup;
    }
    return nullptr;
}

namespace {
int Luminance(DWORD rgb) {
    return (((rgb >> 16) & 0xFF) * 299 + ((rgb >> 8) & 0xFF) * 587 + (rgb & 0xFF) * 114) / 1000;
}
}  // namespace

std::vector<MenuRow> ReadMenuRows(HWND popup) {
    RECT rc;
    GetWindowRect(popup, &rc);
    std::vector<MenuRow> rows;
    const Pixels menu = ScreenArea(rc);
    const int w = menu.width, h = menu.height;
    if (w <= 8 || h <= 8) return rows;
    // The menu's own background: the most common colour inside its border.
    std::map<DWORD, int> counts;
    for (int y = 3; y < h - 3; y += 2)
        for (int x = 3; x < w - 3; x += 2) ++counts[menu.At(x, y)];
    DWORD background = std::max_element(counts.begin(), counts.end(), [](auto &a, auto &b) {
                           return a.second < b.second;
                       })->first;
    // A text row is a run of at least 5 pixel lines holding ink (pixels far
    // from the line's own background); separators are thinner.
    int runStart = -1, runDarkest = 255;
    bool runHighlighted = false;
    for (int y = 3; y <= h - 3; ++y) {
        bool ink = false, highlighted = false;
        int darkest = 255;
        if (y < h - 3) {
            DWORD lineBackground = menu.At(4, y);
            highlighted = lineBackground != background;
            for (int x = 4; x < w - 4; ++x) {
                DWORD c = menu.At(x, y);
                if (std::abs(Luminance(c) - Luminance(lineBackground)) > 40) {
                    ink = true;
                    darkest = std::min(darkest, Luminance(c));
                }
            }
        }
        if (ink) {
            if (runStart < 0) {
                runStart = y;
                runDarkest = 255;
                runHighlighted = false;
            }
            runDarkest = std::min(runDarkest, darkest);
            runHighlighted = runHighlighted || highlighted;
        } else if (runStart >= 0) {
            if (y - runStart >= 5) rows.push_back({runDarkest, runHighlighted});
            runStart = -1;
        }
    }
    return rows;
}

namespace {
bool SameRows(const std::vector<MenuRow> &a, const std::vector<MenuRow> &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto &x, auto &y) {
               return x.darkest == y.darkest && x.highlighted == y.highlighted;
           });
}

// A complete drawing of the pop-up that two reads in a row agree on, with
// the highlight still on the first row.
bool ReadSteadyRows(HWND popup, size_t index, std::vector<MenuRow> *rows) {
    std::vector<MenuRow> previous;
    return WaitUntil(
        [&] {
            previous = *rows;
            *rows = ReadMenuRows(popup);
            return rows->size() == 3 && index < rows->size() && SameRows(*rows, previous) &&
                   !rows->back().highlighted && !(*rows)[index].highlighted;
        },
        kScreenMs, 100);
}
}  // namespace

bool MenuRowGrayed(HWND popup, size_t index) {
    // A pop-up is on the screen before it has drawn its entries, and a busy
    // machine may take a while: judge only a steady drawing. One that went
    // behind its dialog after it was read (see OpenSettingsMenu) is opened again.
    std::vector<MenuRow> rows;
    bool readable = ReadSteadyRows(popup, index, &rows);
    if (!readable) {
        std::printf("the pop-up went from the screen; opening it again\n");
        const DWORD pid = ProcessOf(popup);
        PressKey(VK_TBACK);
        popup = WaitForNoPopupMenu(pid) ? OpenSettingsMenu(pid) : nullptr;
        readable = popup && ReadSteadyRows(popup, index, &rows);
    }
    EXPECT_EQ(rows.size(), 3u) << "three entries: password, stop, about";
    if (!readable || rows.size() <= index) {
        ADD_FAILURE() << "cannot read row " << index << " of the pop-up";
        return false;
    }
    EXPECT_LT(rows.back().darkest, 80) << "enabled text is dark";
    return rows[index].darkest >= 80;
}

}  // namespace quelset_test
