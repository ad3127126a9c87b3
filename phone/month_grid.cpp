#include "month_grid.h"

#include "app_frame.h"
#include "calendar_date.h"
#include "phone_look.h"
#include "phone_resource.h"

#include <windowsx.h>

#include <cwchar>

namespace phone {
namespace {

constexpr wchar_t kGridClass[] = L"PhoneMonthGrid";
constexpr int kWeeks = 6;  // the most any month spans

const wchar_t *const kMonths[12] = {L"Январь",   L"Февраль", L"Март",   L"Апрель",
                                    L"Май",      L"Июнь",    L"Июль",   L"Август",
                                    L"Сентябрь", L"Октябрь", L"Ноябрь", L"Декабрь"};
const wchar_t *const kMonthsOf[12] = {L"января",   L"февраля", L"марта",  L"апреля",
                                      L"мая",      L"июня",    L"июля",   L"августа",
                                      L"сентября", L"октября", L"ноября", L"декабря"};
const wchar_t *const kWeekdays[7] = {L"Пн", L"Вт", L"Ср", L"Чт", L"Пт", L"Сб", L"Вс"};

struct Grid {
    const CalendarEvent *events;
    int eventCount;
    Date today;
    Date selected;
    wchar_t pageHeading[64];  // the open day's page keeps showing this
};
Grid g_grid;

// Where things are, worked out from the client size and the fonts. On a short
// screen the weeks get closer together, and the agenda under them goes first.
struct Layout {
    int left, cellWidth, cellHeight;
    int titleTop, weekdayTop, daysTop, agendaTop;
    bool agenda;
};

Layout LayoutFor(int width, int height) {
    const PhoneLook &look = Look();
    Layout l = {};
    l.cellWidth = width / 7;
    l.left = (width - 7 * l.cellWidth) / 2;
    l.titleTop = look.pad;
    l.weekdayTop = l.titleTop + look.textHeight + 2 * look.pad;
    l.daysTop = l.weekdayTop + look.smallHeight + look.pad;
    const int roomyCell = look.textHeight + 2 * look.pad;
    const int agendaHeight = 2 * look.pad + 2 * (look.textHeight + look.pad);
    int cellRoom = (height - l.daysTop - agendaHeight) / kWeeks;
    l.agenda = cellRoom >= look.textHeight;
    if (!l.agenda) cellRoom = (height - l.daysTop) / kWeeks;
    l.cellHeight = cellRoom < roomyCell ? (cellRoom > look.textHeight ? cellRoom : look.textHeight)
                                        : roomyCell;
    l.agendaTop = l.daysTop + kWeeks * l.cellHeight + look.pad;
    return l;
}

Date Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return Date{now.wYear, now.wMonth, now.wDay};
}

bool HasEvents(const Date &day) {
    for (int i = 0; i < g_grid.eventCount; ++i)
        if (SameDate(AddDays(g_grid.today, g_grid.events[i].daysFromToday), day)) return true;
    return false;
}

// The cell a day of the shown month sits in (row 0..5, column 0..6).
void CellOf(const Date &day, int *row, int *column) {
    int first = WeekdayMondayFirst(Date{day.year, day.month, 1});
    *row = (first + day.day - 1) / 7;
    *column = (first + day.day - 1) % 7;
}

RECT CellRect(const Layout &l, int row, int column) {
    int x = l.left + column * l.cellWidth, y = l.daysTop + row * l.cellHeight;
    return RECT{x, y, x + l.cellWidth, y + l.cellHeight};
}

void DrawLine(HDC dc, const wchar_t *text, RECT rc, HFONT font, COLORREF colour, UINT align) {
    SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rc, align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawDays(HDC dc, const Layout &l) {
    const PhoneLook &look = Look();
    const Date &sel = g_grid.selected;
    for (int day = 1; day <= DaysInMonth(sel.year, sel.month); ++day) {
        Date date = {sel.year, sel.month, day};
        int row, column;
        CellOf(date, &row, &column);
        RECT cell = CellRect(l, row, column);
        RECT box = cell;
        InflateRect(&box, -1, -1);
        bool selected = day == sel.day;
        if (selected) FillSolid(dc, box, kSelectBack);
        if (SameDate(date, g_grid.today) && !selected) {
            HGDIOBJ pen = SelectObject(dc, CreatePen(PS_SOLID, 1, kSelectBack));
            HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, box.left, box.top, box.right, box.bottom);
            SelectObject(dc, brush);
            DeleteObject(SelectObject(dc, pen));
        }
        wchar_t number[4];
        wsprintfW(number, L"%d", day);
        COLORREF colour = selected ? kSelectText : column >= 5 ? kHoliday : kText;
        // Days with appointments are bold, as on the phone.
        DrawLine(dc, number, cell, HasEvents(date) ? look.bold : look.text, colour,
                 DT_CENTER | DT_VCENTER);
    }
}

void DrawAgenda(HDC dc, const Layout &l, int width) {
    const PhoneLook &look = Look();
    RECT rule = {look.pad, l.agendaTop, width - look.pad, l.agendaTop + 1};
    FillSolid(dc, rule, kRule);

    const Date &sel = g_grid.selected;
    wchar_t heading[64];
    wsprintfW(heading, L"%s, %d %s", kWeekdays[WeekdayMondayFirst(sel)], sel.day,
              kMonthsOf[sel.month - 1]);
    RECT line = {2 * look.pad, l.agendaTop + look.pad, width - look.pad,
                 l.agendaTop + look.pad + look.textHeight};
    DrawLine(dc, heading, line, look.bold, kText, DT_LEFT);

    bool any = false;
    for (int i = 0; i < g_grid.eventCount; ++i) {
        if (!SameDate(AddDays(g_grid.today, g_grid.events[i].daysFromToday), sel)) continue;
        OffsetRect(&line, 0, look.textHeight + look.pad);
        DrawLine(dc, g_grid.events[i].text, line, look.text, kText, DT_LEFT);
        any = true;
    }
    if (!any) {
        OffsetRect(&line, 0, look.textHeight + look.pad);
        DrawLine(dc, L"Нет встреч", line, look.text, kDimText, DT_LEFT);
    }
}

void OnPaint(HWND grid) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(grid, &ps);
    RECT client;
    GetClientRect(grid, &client);
    FillSolid(dc, client, kScreenBack);
    const PhoneLook &look = Look();
    Layout l = LayoutFor(client.right, client.bottom);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, look.bold);

    wchar_t title[32];
    wsprintfW(title, L"‹  %s %d  ›", kMonths[g_grid.selected.month - 1], g_grid.selected.year);
    RECT titleRect = {0, l.titleTop, client.right, l.titleTop + look.textHeight};
    DrawLine(dc, title, titleRect, look.bold, kText, DT_CENTER);

    for (int column = 0; column < 7; ++column) {
        RECT cell = CellRect(l, 0, column);
        cell.top = l.weekdayTop;
        cell.bottom = l.weekdayTop + look.smallHeight;
        DrawLine(dc, kWeekdays[column], cell, look.small, column >= 5 ? kHoliday : kDimText,
                 DT_CENTER);
    }
    DrawDays(dc, l);
    if (l.agenda) DrawAgenda(dc, l, client.right);
    SelectObject(dc, oldFont);
    EndPaint(grid, &ps);
}

void Select(HWND grid, const Date &date) {
    g_grid.selected = date;
    InvalidateRect(grid, nullptr, FALSE);
}

void OnKeyDown(HWND grid, WPARAM key) {
    switch (key) {
    case VK_LEFT:
        Select(grid, AddDays(g_grid.selected, -1));
        break;
    case VK_RIGHT:
        Select(grid, AddDays(g_grid.selected, 1));
        break;
    case VK_UP:
        Select(grid, AddDays(g_grid.selected, -7));
        break;
    case VK_DOWN:
        Select(grid, AddDays(g_grid.selected, 7));
        break;
    case VK_RETURN:
        SendMessageW(GetParent(grid), WM_COMMAND, IDM_OPEN, 0);
        break;
    case VK_ESCAPE:
        SendMessageW(GetParent(grid), WM_COMMAND, IDM_BACK, 0);
        break;
    default:
        break;
    }
}

// A click selects the day under it; a click outside the days does nothing.
bool DayAt(HWND grid, int x, int y, Date *day) {
    RECT client;
    GetClientRect(grid, &client);
    Layout l = LayoutFor(client.right, client.bottom);
    if (x < l.left || y < l.daysTop || l.cellWidth <= 0) return false;
    int column = (x - l.left) / l.cellWidth, row = (y - l.daysTop) / l.cellHeight;
    if (column >= 7 || row >= kWeeks) return false;
    const Date &sel = g_grid.selected;
    int number = row * 7 + column - WeekdayMondayFirst(Date{sel.year, sel.month, 1}) + 1;
    if (number < 1 || number > DaysInMonth(sel.year, sel.month)) return false;
    *day = Date{sel.year, sel.month, number};
    return true;
}

LRESULT CALLBACK GridProc(HWND grid, UINT msg, WPARAM wParam, LPARAM lParam) {
    Date day;
    switch (msg) {
    case WM_PAINT:
        OnPaint(grid);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_KEYDOWN:
        OnKeyDown(grid, wParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        SetFocus(grid);
        if (DayAt(grid, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), &day)) Select(grid, day);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (DayAt(grid, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), &day))
            SendMessageW(GetParent(grid), WM_COMMAND, IDM_OPEN, 0);
        return 0;
    default:
        return DefWindowProcW(grid, msg, wParam, lParam);
    }
}

void Append(wchar_t *buffer, size_t size, const wchar_t *text) {
    size_t used = wcslen(buffer);
    if (used + 1 >= size) return;
    wcsncat(buffer, text, size - used - 1);
}

}  // namespace

HWND CreateMonthGrid(HWND parent, const CalendarEvent *events, int count) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = GridProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kGridClass;
    if (!RegisterClassW(&wc)) return nullptr;
    g_grid = Grid{events, count, Today(), Today(), L""};
    return CreateWindowExW(0, kGridClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                           parent, nullptr, instance, nullptr);
}

void ShowSelectedDay(HWND, HWND frame) {
    const Date &sel = g_grid.selected;
    wsprintfW(g_grid.pageHeading, L"%d %s %d", sel.day, kMonthsOf[sel.month - 1], sel.year);
    wchar_t text[512] = L"";
    for (int i = 0; i < g_grid.eventCount; ++i) {
        if (!SameDate(AddDays(g_grid.today, g_grid.events[i].daysFromToday), sel)) continue;
        if (text[0]) Append(text, ARRAYSIZE(text), L"\n");
        Append(text, ARRAYSIZE(text), g_grid.events[i].text);
    }
    ShowDetailPage(frame, g_grid.pageHeading, text[0] ? text : L"Нет встреч");
}

}  // namespace phone
