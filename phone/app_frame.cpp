#include "app_frame.h"

#include "aygshell.h"
#include "mobileshell.h"
#include "phone_constants.h"
#include "phone_look.h"
#include "phone_resource.h"
#include "two_line_list.h"
#include "window_focus.h"

namespace phone {
namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockPeriodMs = 15000;

// One frame per process.
struct Frame {
    const AppDescription *app;
    HWND window;
    HWND bar;
    HWND content;
    HWND detail;                   // the page ShowDetailPage fills, hidden while unused
    const wchar_t *detailHeading;  // null while the detail page is not shown
};
Frame g_frame;

HWND CreateSoftKeyBar(HWND window, UINT barId) {
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof mbi;
    mbi.hwndParent = window;
    mbi.nToolBarId = barId;
    mbi.hInstRes = GetModuleHandleW(nullptr);
    if (!SHCreateMenuBar(&mbi)) return nullptr;
    // Back would otherwise do the shell's default; the frame decides what it means.
    const WORD flags = SHMBOF_NODEFAULT | SHMBOF_NOTIFY;
    SendMessageW(mbi.hwndMB, SHCMBM_OVERRIDEKEY, VK_TBACK, MAKELPARAM(flags, flags));
    return mbi.hwndMB;
}

// Full screen above the bar: the bar's top edge, or the screen's bottom without a bar.
RECT ScreenAboveBar(HWND bar) {
    RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT barRect;
    if (bar && GetWindowRect(bar, &barRect) && barRect.top > 0 && barRect.top < rc.bottom)
        rc.bottom = barRect.top;
    return rc;
}

void InvalidateHeader(HWND window) {
    RECT header;
    GetClientRect(window, &header);
    header.bottom = HeaderHeight();
    InvalidateRect(window, &header, FALSE);
}

void CloseDetailPage() {
    g_frame.detailHeading = nullptr;
    ShowWindow(g_frame.detail, SW_HIDE);
    if (g_frame.content) {
        ShowWindow(g_frame.content, SW_SHOW);
        SetFocus(g_frame.content);
    }
    InvalidateHeader(g_frame.window);
}

void Back() {
    if (g_frame.detailHeading)
        CloseDetailPage();
    else if (g_frame.app->backGoesHome)
        GoHome(g_frame.window);
}

void Open() {
    if (g_frame.detailHeading) return;
    if (g_frame.app->open && g_frame.content) g_frame.app->open(g_frame.content, g_frame.window);
}

LRESULT OnCreate(HWND window) {
    g_frame.window = window;
    g_frame.bar = CreateSoftKeyBar(window, g_frame.app->barId);
    g_frame.content = g_frame.app->createContent(window);
    // SS_EDITCONTROL breaks words longer than a line (e-mail addresses) as an edit would.
    const DWORD detailStyle = WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
    g_frame.detail = CreateWindowExW(0, L"STATIC", L"", detailStyle, 0, 0, 0, 0, window, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    if (g_frame.detail)
        SendMessageW(g_frame.detail, WM_SETFONT, reinterpret_cast<WPARAM>(Look().text), FALSE);
    SetTimer(window, kClockTimer, kClockPeriodMs, nullptr);
    return 0;
}

void OnSize(int width, int height) {
    int top = HeaderHeight();
    int below = height > top ? height - top : 0;
    if (g_frame.content) MoveWindow(g_frame.content, 0, top, width, below, TRUE);
    int margin = 2 * Look().pad;
    if (g_frame.detail && width > 2 * margin && below > 2 * margin)
        MoveWindow(g_frame.detail, margin, top + margin, width - 2 * margin, below - 2 * margin,
                   TRUE);
}

// An application the user closes hands the screen to the home screen, as the
// phone does; one closed from elsewhere while out of sight leaves the front alone.
void OnClose(HWND window) {
    if (g_frame.app->backGoesHome && GetForegroundWindow() == window) {
        HWND home = FindWindowW(kHomeClass, nullptr);
        if (home && home != window) BringToFront(home);
    }
    DestroyWindow(window);
}

void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT rc;
    GetClientRect(window, &rc);
    DrawHeader(dc, rc.right, g_frame.detailHeading ? g_frame.detailHeading : g_frame.app->title);
    EndPaint(window, &ps);
}

void OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDM_OPEN:
        Open();
        break;
    case IDM_BACK:
        Back();
        break;
    case IDM_EXIT:
    case IDM_POWER_OFF:
        PostMessageW(g_frame.window, WM_CLOSE, 0, 0);
        break;
    default:
        // A double click in the content's list opens the row.
        if (code == LBN_DBLCLK) Open();
        break;
    }
}

// Keys the content's list box does not act on itself.
LRESULT OnListKey(WORD key) {
    switch (key) {
    case VK_RETURN:
        Open();
        return -2;
    case VK_ESCAPE:
        Back();
        return -2;
    default:
        return -1;
    }
}

void OnHotKey(LPARAM lParam) {
    // The device sends the overridden key both when it goes down and up.
    if (HIWORD(lParam) == VK_TBACK && !(LOWORD(lParam) & MOD_KEYUP)) Back();
}

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_SETFOCUS:
        if (g_frame.content && !g_frame.detailHeading) SetFocus(g_frame.content);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_VKEYTOITEM:
        return OnListKey(LOWORD(wParam));
    case WM_HOTKEY:
        OnHotKey(lParam);
        return 0;
    case WM_MEASUREITEM:
        MeasureListRow(reinterpret_cast<MEASUREITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawListRow(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_TIMER:
        InvalidateHeader(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), kText);
        SetBkColor(reinterpret_cast<HDC>(wParam), kScreenBack);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kClockTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

}  // namespace

void ShowDetailPage(HWND frame, const wchar_t *heading, const wchar_t *text) {
    if (frame != g_frame.window || !g_frame.detail || !heading || !text) return;
    g_frame.detailHeading = heading;
    SetWindowTextW(g_frame.detail, text);
    if (g_frame.content) ShowWindow(g_frame.content, SW_HIDE);
    ShowWindow(g_frame.detail, SW_SHOW);
    SetFocus(frame);
    InvalidateHeader(frame);
}

int RunPhoneApp(HINSTANCE instance, const AppDescription &app) {
    // The phone runs one copy of each application: starting it again shows the first.
    if (HWND running = FindWindowW(app.windowClass, nullptr)) {
        BringToFront(running);
        return 0;
    }
    g_frame = Frame{&app, nullptr, nullptr, nullptr, nullptr, nullptr};
    // What was in front when this program started.
    HWND frontAtStart = GetForegroundWindow();

    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = app.windowClass;
    if (!RegisterClassW(&wc)) return 1;

    HWND window = CreateWindowExW(0, app.windowClass, app.title, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    RECT rc = ScreenAboveBar(g_frame.bar);
    SetWindowPos(window, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    // Shown, the screen is normally in front at once. Once it has been, what
    // comes there later was brought by the user or another program, and keeps
    // the front: the program that was in front at the start may have been
    // brought back meanwhile (a starting program is slow on a busy phone).
    bool cameForward = GetForegroundWindow() == window;
    UpdateWindow(window);
    HWND front = GetForegroundWindow();
    if (front == window || (!cameForward && (!front || front == frontAtStart)))
        SetForegroundWindow(window);
    if (app.started) app.started(window);

    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace phone
