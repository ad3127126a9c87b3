// The calendar's month view: a grid of the days of one month with the
// selected day's appointments under it. Arrow keys move the selection (across
// months too); Enter and Back go to the parent as IDM_OPEN and IDM_BACK.
#ifndef QUELLOR_PHONE_MONTH_GRID_H
#define QUELLOR_PHONE_MONTH_GRID_H

#include <windows.h>

namespace phone {

struct CalendarEvent {
    int daysFromToday;    // the appointment book is kept relative to today
    const wchar_t *text;  // "13:00 Обед с Андреем"
};

// events must outlive the grid (a static table). One grid per process.
HWND CreateMonthGrid(HWND parent, const CalendarEvent *events, int count);
// The selected day's appointments as a page of the frame.
void ShowSelectedDay(HWND grid, HWND frame);

}  // namespace phone

#endif
