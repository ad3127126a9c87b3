// Plain Gregorian date arithmetic for the month grid.
#ifndef QUELLOR_PHONE_CALENDAR_DATE_H
#define QUELLOR_PHONE_CALENDAR_DATE_H

namespace phone {

struct Date {
    int year;
    int month;  // 1..12
    int day;    // 1..DaysInMonth
};

bool SameDate(const Date &a, const Date &b);
int DaysInMonth(int year, int month);
// 0 for Monday .. 6 for Sunday, as Russian calendars lay out the week.
int WeekdayMondayFirst(const Date &date);
// days may be negative; months and years roll over.
Date AddDays(Date date, int days);

}  // namespace phone

#endif
