#include "phone_driver.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace quelset_test {

using namespace scenario;

namespace {
struct WindowQuery {
    DWORD pid;
    const wchar_t *cls;
    const wchar_t *title;
    HWND found;
};
BOOL CALLBACK MatchWindow(HWND window, LPARAM lp) {
    auto *q = reinterpret_cast<WindowQuery *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != q->pid) return TRUE;
    if (q->cls && ClassName(window) != q->cls) return TRUE;
    if (q->title && WindowText(window) != q->title) return TRUE;
    q->found = window;
    return FALSE;
}
BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM lp) {
    return IsWindowVisible(window) ? MatchWindow(window, lp) : TRUE;
}
}  // namespace

HWND AnyWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title) {
    WindowQuery q = {pid, cls, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND WaitForDialog(DWORD pid, const wchar_t *title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = AnyWindowOfProcess(pid, L"#32770", title);
            return dialog && IsWindowVisible(dialog);
        },
        timeoutMs);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND WaitForSettingsDialog(const Process &quelset) {
    HWND dialog = WaitForDialog(quelset.Id(), L"Настройки", 10000);
    if (dialog) WaitForForeground(dialog);
    return dialog;
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool WaitForItemText(HWND dialog, int id, const std::wstring &text, DWORD timeoutMs) {
    return WaitUntil([&] { return ItemText(dialog, id) == text; }, timeoutMs);
}

HWND OpenPopupMenu(DWORD pid) {
    WindowQuery q = {pid, L"#32768", nullptr, nullptr};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
    HWND popup = nullptr;
    WaitUntil([&] { return (popup = OpenPopupMenu(pid)) != nullptr; }, timeoutMs);
    // Let it finish drawing its highlighted first entry.
    Sleep(300);
    return popup;
}

bool WaitForNoPopupMenu(DWORD pid, DWORD timeoutMs) {
    return WaitUntil([&] { return OpenPopupMenu(pid) == nullptr; }, timeoutMs);
}

HWND OpenSettingsMenu(DWORD pid) {
    // On a busy machine Wine may learn only after the pop-up has opened that
    // the dialog's own window reached the X screen, and then raises that
    // window over everything, the pop-up included: the pop-up works but
    // cannot be seen. Closed and opened again, it comes up on top.
    for (int attempt = 0; attempt < 3; ++attempt) {
        PressKey(VK_F2);
        HWND popup = WaitForPopupMenu(pid);
        if (!popup) return nullptr;
        if (WaitUntil([&] { return ReadMenuRows(popup).size() == 3; }, 1500, 100)) return popup;
        std::printf("the pop-up is open but not on the screen; opening it again\n");
        PressKey(VK_ESCAPE);
        if (!WaitForNoPopupMenu(pid)) return popup;
    }
    return nullptr;
}

namespace {
int Luminance(COLORREF c) {
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}
}  // namespace

std::vector<MenuRow> ReadMenuRows(HWND popup) {
    RECT rc;
    GetWindowRect(popup, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    std::vector<MenuRow> rows;
    if (w <= 8 || h <= 8) return rows;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    // The menu's own background: the most common colour inside its border.
    std::map<COLORREF, int> counts;
    for (int y = 3; y < h - 3; y += 2)
        for (int x = 3; x < w - 3; x += 2) ++counts[GetPixel(mem, x, y)];
    COLORREF background = std::max_element(counts.begin(), counts.end(), [](auto &a, auto &b) {
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
            COLORREF lineBackground = GetPixel(mem, 4, y);
            highlighted = lineBackground != background;
            for (int x = 4; x < w - 4; ++x) {
                COLORREF c = GetPixel(mem, x, y);
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
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return rows;
}

namespace {
bool SameRows(const std::vector<MenuRow> &a, const std::vector<MenuRow> &b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto &x, auto &y) {
               return x.darkest == y.darkest && x.highlighted == y.highlighted;
           });
}
}  // namespace

bool MenuRowGrayed(HWND popup, size_t index) {
    // A pop-up is on the screen before it has drawn its entries, and a busy
    // machine may take a while: judge only a complete drawing that two reads
    // in a row agree on.
    std::vector<MenuRow> rows, previous;
    bool readable = WaitUntil(
        [&] {
            previous = rows;
            rows = ReadMenuRows(popup);
            return rows.size() == 3 && index < rows.size() && SameRows(rows, previous) &&
                   !rows.back().highlighted && !rows[index].highlighted;
        },
        5000, 100);
    EXPECT_EQ(rows.size(), 3u) << "three entries: password, stop, about";
    if (!readable || rows.size() <= index) {
        ADD_FAILURE() << "cannot read row " << index << " of the pop-up";
        return false;
    }
    EXPECT_LT(rows.back().darkest, 80) << "enabled text is dark";
    return rows[index].darkest >= 80;
}

void ChooseMenuRow(int row) {
    // Home puts the highlight on the first entry whatever is highlighted now,
    // so the choice does not depend on when the menu draws its highlight.
    PressKey(VK_HOME);
    for (int at = 0; at < row; ++at) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}

HWND WaitForMessageBox(DWORD pid, const wchar_t *caption, std::wstring *text, DWORD timeoutMs) {
    HWND box = WaitForDialog(pid, caption, timeoutMs);
    if (box && text) *text = WindowText(GetDlgItem(box, 0xFFFF));
    return box;
}

bool MoveFocusTo(HWND control) {
    for (int i = 0; i < 6; ++i) {
        if (WaitUntil([&] { return FocusOf(control) == control; }, 200)) return true;
        PressKey(VK_TAB);
    }
    return false;
}

namespace {
const wchar_t kKey[] = L"Software\\Quellor";
}

bool ReadLockOption(DWORD *flags) {
    DWORD size = sizeof *flags;
    return RegGetValueW(HKEY_CURRENT_USER, kKey, L"LockOption", RRF_RT_REG_DWORD, nullptr, flags,
                        &size) == ERROR_SUCCESS;
}

bool ReadPassword(std::wstring *password) {
    wchar_t text[300] = {};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, L"Password", RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return false;
    *password = text;
    return true;
}

void StoreSettings(DWORD flags, const wchar_t *password) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot write the settings key";
        return;
    }
    RegSetValueExW(key, L"LockOption", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&flags),
                   sizeof flags);
    RegSetValueExW(key, L"Password", 0, REG_SZ, reinterpret_cast<const BYTE *>(password),
                   static_cast<DWORD>((wcslen(password) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void CleanPhone() {
    KillProgramsNamed({kQuelset, kQuelwatch, kMessages, kContacts});
    DeleteSettingsKey();
}

}  // namespace quelset_test
