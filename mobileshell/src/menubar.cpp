// SHCreateMenuBar / SHFindMenuBar and the soft-key bar window ("menu_worker"):
// a dark strip along the bottom of the screen with the two soft-key labels,
// owned by the dialog it serves and never taking activation from it: it is a
// disabled window, which the system never activates and which gets a tap as
// WM_SETCURSOR instead of a click (window_order.cpp keeps it there).
#include "shell_internal.h"

#include <memory>

namespace mobileshell {
namespace {

constexpr int kLabelChars = 64;
constexpr int kMaxOverrides = 8;
// Sizes on a 96-dpi screen, scaled to the screen's.
constexpr int kLabelPadding = 4;
constexpr int kLabelPoints = 9;
constexpr int kPointsPerInch = 72;
constexpr COLORREF kBarBack = RGB(24, 24, 24);
constexpr COLORREF kBarTopLine = RGB(96, 96, 96);
constexpr COLORREF kLabelText = RGB(255, 255, 255);
constexpr COLORREF kLabelGrayed = RGB(128, 128, 128);
// The size of SHMENUBARINFO on the device (32-bit): callers written for the
// phone may pass it literally, and the layout they fill is the same struct.
constexpr DWORD kDeviceMenuBarInfoSize = 36;
// The window the bar serves, kept apart from its owner, which the window
// order lets go of for a moment when it raises the owner.
constexpr wchar_t kBarOwnerProp[] = L"MobileShell.BarOwner";

struct KeyOverride {
    UINT vk;
    WORD flags;  // SHMBOF_*
};

// Keys whose key-down was reported to the owner (SHMBOF_NOTIFY): only their
// key-up is reported, not the release of a key that went down elsewhere (Esc
// closing the pop-up). A key that finds the set full goes unreported when it
// is released.
class ReportedKeys {
public:
    bool Contains(UINT vk) const {
        for (UINT key : keys_)
            if (key == vk) return true;
        return false;
    }
    void Add(UINT vk) {
        if (Contains(vk)) return;
        for (UINT &key : keys_) {
            if (!key) {
                key = vk;
                return;
            }
        }
    }
    void Remove(UINT vk) {
        for (UINT &key : keys_)
            if (key == vk) key = 0;
    }

private:
    UINT keys_[kMaxOverrides] = {};
};

// Everything a bar holds, owned by one object: whoever holds it (the
// creator until the window exists, then the window until WM_NCDESTROY)
// frees the menu and the font with it. One thread alone touches it, the
// thread of the bar and its owner (SHCreateMenuBar refuses an owner of
// another thread): the key hook that reads it (DecideKey), the pop-up that
// sets menuOpen and WM_NCDESTROY that frees it all run there, one after
// another, so it needs no lock.
struct BarState {
    BarState() = default;
    BarState(const BarState &) = delete;
    BarState &operator=(const BarState &) = delete;
    ~BarState() {
        if (menu) DestroyMenu(menu);
        if (font) DeleteObject(font);
    }

    HWND owner = nullptr;
    HMENU menu = nullptr;  // 0 unless a button opens a pop-up
    HFONT font = nullptr;
    int count = 0;
    SoftKeyButton buttons[kMaxSoftKeys] = {};
    wchar_t labels[kMaxSoftKeys][kLabelChars] = {};
    KeyOverride overrides[kMaxOverrides] = {};
    int overrideCount = 0;
    COLORREF background = kBarBack;
    bool menuOpen = false;  // keys go to the pop-up while it is up
    ReportedKeys reported;
    // Whether the thread's key hook counts this bar as on the screen.
    bool countedShown = false;
};

BarState *StateOf(HWND bar) {
    return reinterpret_cast<BarState *>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

void NoteShown(BarState &s, bool shown) {
    if (shown == s.countedShown) return;
    s.countedShown = shown;
    CountShownBar(GetCurrentThreadId(), shown);
}

bool IsShown(HWND bar) {
    return (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

int ScreenDpi() {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int Scaled(int at96Dpi) {
    return MulDiv(at96Dpi, ScreenDpi(), USER_DEFAULT_SCREEN_DPI);
}

bool ButtonUsable(const BarState &s, int index) {
    return index >= 0 && index < s.count && !(s.buttons[index].state & kButtonHidden);
}

WORD OverrideFlags(const BarState &s, UINT vk) {
    for (int i = 0; i < s.overrideCount; ++i)
        if (s.overrides[i].vk == vk) return s.overrides[i].flags;
    return 0;
}

void SetOverride(BarState *s, UINT vk, WORD mask, WORD value) {
    int i = 0;
    while (i < s->overrideCount && s->overrides[i].vk != vk) ++i;
    if (i == s->overrideCount) {
        if (i == kMaxOverrides) return;
        s->overrides[i].vk = vk;
        s->overrides[i].flags = 0;
        ++s->overrideCount;
    }
    s->overrides[i].flags = static_cast<WORD>((s->overrides[i].flags & ~mask) | (value & mask));
}

// ---- Building a bar from the resources ------------------------------------

bool LoadBarResource(HINSTANCE inst, UINT id, SoftKeyBarData *out) {
    HRSRC res = FindResourceW(inst, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (!res) return false;
    DWORD size = SizeofResource(inst, res);
    HGLOBAL handle = LoadResource(inst, res);
    const void *data = handle ? LockResource(handle) : nullptr;
    return data && ParseSoftKeyBar(data, size, out);
}

// Fills everything but the font from the caller's resources.
bool BuildBarState(const SHMENUBARINFO &info, BarState *s) {
    s->owner = info.hwndParent;
    if (info.dwFlags & SHCMBF_COLORBK) s->background = info.clrBk;
    if (info.dwFlags & SHCMBF_EMPTYBAR) return true;

    SoftKeyBarData data;
    if (!LoadBarResource(info.hInstRes, info.nToolBarId, &data)) return false;
    s->count = data.count;
    bool needsMenu = false;
    for (int i = 0; i < data.count; ++i) {
        s->buttons[i] = data.buttons[i];
        if (data.buttons[i].popupIndex != kNoPopup) needsMenu = true;
        if (!LoadStringW(info.hInstRes, data.buttons[i].stringId, s->labels[i], kLabelChars))
            return false;  // a soft key without its label
    }
    if (!needsMenu) return true;

    if (data.menuId == 0) return false;
    s->menu = LoadMenuW(info.hInstRes, MAKEINTRESOURCEW(data.menuId));
    if (!s->menu) return false;
    const int items = GetMenuItemCount(s->menu);
    for (int i = 0; i < data.count; ++i) {
        const WORD popup = data.buttons[i].popupIndex;
        if (popup == kNoPopup) continue;
        if (static_cast<int>(popup) >= items || !GetSubMenu(s->menu, popup)) return false;
    }
    return true;
}

// ---- Actions ---------------------------------------------------------------

// The pop-up of button `index`, opened above the bar on its key's side. The
// owner prepares it (enables, grays) in WM_INITMENUPOPUP, which carries the
// button's command in the low word as on the device.
void OpenPopup(HWND bar, BarState *s, int index) {
    HMENU sub = GetSubMenu(s->menu, s->buttons[index].popupIndex);
    if (!sub) return;
    const HWND owner = s->owner;
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub),
                 MAKELPARAM(s->buttons[index].command, 0));
    if (!IsWindow(bar)) return;  // the owner ended meanwhile

    RECT rc;
    GetWindowRect(bar, &rc);
    UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_BOTTOMALIGN |
                 (index == 0 ? TPM_LEFTALIGN : TPM_RIGHTALIGN);
    // A phone's menu opens with its first item highlighted.
    PostMessageW(bar, WM_KEYDOWN, VK_DOWN, 0);
    s->menuOpen = true;
    BeginMenuTracking();
    int chosen = static_cast<int>(
        TrackPopupMenuEx(sub, flags, index == 0 ? rc.left : rc.right, rc.top, bar, nullptr));
    EndMenuTracking();
    if (!IsWindow(bar)) return;
    s->menuOpen = false;
    // Only the owner's reaction may follow: it can destroy this bar.
    if (chosen) SendMessageW(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

void PressButton(HWND bar, BarState *s, int index) {
    if (!ButtonUsable(*s, index) || !(s->buttons[index].state & kButtonEnabled)) return;
    if (s->buttons[index].popupIndex != kNoPopup) {
        OpenPopup(bar, s, index);
        return;
    }
    SendMessageW(s->owner, WM_COMMAND, MAKEWPARAM(s->buttons[index].command, 0), 0);
}

// The left half of the bar is the left soft key.
void PressAt(HWND bar, BarState *s, int x) {
    RECT rc;
    GetClientRect(bar, &rc);
    PressButton(bar, s, x < rc.right / 2 ? 0 : 1);
}

// ---- The bar window --------------------------------------------------------

void Paint(HWND bar, const BarState &s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(bar, &ps);
    RECT rc;
    GetClientRect(bar, &rc);
    HBRUSH bk = CreateSolidBrush(s.background);
    FillRect(dc, &rc, bk);
    DeleteObject(bk);
    HPEN line = CreatePen(PS_SOLID, 1, kBarTopLine);
    HGDIOBJ oldPen = SelectObject(dc, line);
    MoveToEx(dc, rc.left, rc.top, nullptr);
    LineTo(dc, rc.right, rc.top);
    SelectObject(dc, oldPen);
    DeleteObject(line);

    HGDIOBJ oldFont =
        SelectObject(dc, s.font ? static_cast<HGDIOBJ>(s.font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const int pad = Scaled(kLabelPadding);
    const int half = (rc.right - rc.left) / 2;
    for (int i = 0; i < s.count; ++i) {
        if (!ButtonUsable(s, i)) continue;
        SetTextColor(dc, (s.buttons[i].state & kButtonEnabled) ? kLabelText : kLabelGrayed);
        RECT cell = rc;
        UINT align;
        if (i == 0) {
            cell.left += pad;
            cell.right = rc.left + half;
            align = DT_LEFT;
        } else {
            cell.left = rc.left + half;
            cell.right -= pad;
            align = DT_RIGHT;
        }
        DrawTextW(dc, s.labels[i], -1, &cell,
                  align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    EndPaint(bar, &ps);
}

LRESULT CALLBACK BarProc(HWND bar, UINT msg, WPARAM wp, LPARAM lp) {
    BarState *s = StateOf(bar);
    switch (msg) {
    case WM_PAINT:
        if (s) {
            Paint(bar, *s);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        // A tap on a disabled window: the click itself is not delivered.
        if (s && LOWORD(lp) == static_cast<WORD>(HTERROR) && HIWORD(lp) == WM_LBUTTONUP) {
            POINT tap;
            GetCursorPos(&tap);
            ScreenToClient(bar, &tap);
            PressAt(bar, s, tap.x);
            return TRUE;
        }
        break;
    case WM_LBUTTONUP:
        if (s) PressAt(bar, s, static_cast<short>(LOWORD(lp)));
        return 0;
    case kMsgPressSoftKey:
        if (s) PressButton(bar, s, static_cast<int>(wp));
        return 0;
    case kMsgNotifyKey:
        if (s) {
            WORD mods = lp ? MOD_KEYUP : 0;
            SendMessageW(s->owner, WM_HOTKEY, 0, MAKELPARAM(mods, static_cast<WORD>(wp)));
        }
        return 0;
    case SHCMBM_OVERRIDEKEY:
        if (!s) return FALSE;
        SetOverride(s, static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return TRUE;
    case WM_WINDOWPOSCHANGED:
        if (s) NoteShown(*s, IsShown(bar));
        break;
    case WM_NCDESTROY:
        RemovePropW(bar, kBarOwnerProp);
        SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        if (s) NoteShown(*s, false);
        delete s;
        break;
    }
    return DefWindowProcW(bar, msg, wp, lp);
}

bool RegisterBarClass(HINSTANCE inst) {
    WNDCLASSW wc = {};
    if (GetClassInfoW(inst, kBarClass, &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = BarProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kBarClass;
    return RegisterClassW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND FindLocalBar(HWND root) {
    if (!root) return nullptr;
    HWND bar = SHFindMenuBar(root);
    DWORD pid = 0;
    if (!bar || !GetWindowThreadProcessId(bar, &pid) || pid != GetCurrentProcessId())
        return nullptr;
    return StateOf(bar) ? bar : nullptr;
}

bool DecideKey(HWND bar, UINT vk, bool keyUp, bool commit, KeyDecision *out) {
    BarState *s = StateOf(bar);
    if (!s || s->menuOpen) return false;
    const WORD flags = OverrideFlags(*s, vk);
    const int index = vk == VK_TSOFT1 ? 0 : vk == VK_TSOFT2 ? 1 : -1;
    const bool pressDefault = ButtonUsable(*s, index) && !(flags & SHMBOF_NODEFAULT);
    const bool notifies = (flags & SHMBOF_NOTIFY) != 0;
    out->pressButton = pressDefault ? index : -1;
    out->consume = pressDefault || (flags & SHMBOF_NODEFAULT);
    out->notify = notifies && (!keyUp || s->reported.Contains(vk));
    if (commit && notifies) {
        if (keyUp)
            s->reported.Remove(vk);
        else
            s->reported.Add(vk);
    }
    return true;
}

}  // namespace mobileshell

using namespace mobileshell;

namespace {

HFONT CreateLabelFont() {
    return CreateFontW(-MulDiv(kLabelPoints, ScreenDpi(), kPointsPerInch), 0, 0, 0, FW_BOLD, FALSE,
                       FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

// A top-level popup owned by the window it serves: above it, destroyed with it.
HWND CreateBarWindow(HWND owner) {
    HINSTANCE self = GetModuleHandleW(nullptr);
    if (!RegisterBarClass(self)) return nullptr;
    const int height = Scaled(kBarHeight);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kBarClass, L"",
                           WS_POPUP | WS_DISABLED, 0, cy - height, cx, height, owner, nullptr, self,
                           nullptr);
}

}  // namespace

extern "C" BOOL SHCreateMenuBar(SHMENUBARINFO *pmbi) {
    if (!pmbi) return FALSE;
    pmbi->hwndMB = nullptr;
    if (pmbi->cbSize != sizeof(SHMENUBARINFO) && pmbi->cbSize != kDeviceMenuBarInfoSize)
        return FALSE;
    if (!pmbi->hwndParent || !IsWindow(pmbi->hwndParent)) return FALSE;
    // The system makes every bar for a window of its own thread, on that
    // thread; one thread then has the bar's state to itself (BarState).
    if (GetWindowThreadProcessId(pmbi->hwndParent, nullptr) != GetCurrentThreadId()) return FALSE;
    if (pmbi->dwFlags & SHCMBF_HMENU) return FALSE;  // menu-only bars: not used by the system

    std::unique_ptr<BarState> state(new BarState);
    if (!BuildBarState(*pmbi, state.get())) return FALSE;
    state->font = CreateLabelFont();
    EnsureThreadHooks(GetCurrentThreadId());
    HWND bar = CreateBarWindow(pmbi->hwndParent);
    if (!bar) return FALSE;
    // From here on the window owns the state and frees it in WM_NCDESTROY.
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    if (!(pmbi->dwFlags & SHCMBF_HIDDEN)) ShowWindow(bar, SW_SHOWNOACTIVATE);
    // Only now can SHFindMenuBar find it: another program that hides the bar
    // it found must not see it shown again a moment later.
    SetPropW(bar, kBarOwnerProp, pmbi->hwndParent);
    Trace("bar %p for %p", bar, pmbi->hwndParent);
    pmbi->hwndMB = bar;
    return TRUE;
}

namespace {

struct BarSearch {
    HWND owner;
    HWND bar;
};

BOOL CALLBACK MatchBar(HWND window, LPARAM param) {
    auto *search = reinterpret_cast<BarSearch *>(param);
    if (!IsBarWindow(window) || GetPropW(window, kBarOwnerProp) != search->owner) return TRUE;
    search->bar = window;
    return FALSE;
}

}  // namespace

extern "C" HWND WINAPI SHFindMenuBar(HWND hwnd) {
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    // Bars are top-level windows of any process; each names the window it
    // serves. One list of them, taken at once: bars move in the window order
    // all the time (they follow their owners), and a walk that asks for "the
    // next bar after this one" again and again skips a bar that has just
    // moved above the one it stands at.
    BarSearch search = {hwnd, nullptr};
    EnumWindows(MatchBar, reinterpret_cast<LPARAM>(&search));
    return search.bar;
}
