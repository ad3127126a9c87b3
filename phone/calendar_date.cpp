#include "calendar_date.h"

namespace phone {

bool SameDate(const Date &a, const Date &b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

int WeekdayMondayFirst(const Date &date) {
    // Sakamoto's method gives 0 for Sunday.
    static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = date.month < 3 ? date.year - 1 : date.year;
    int sundayFirst = (y + y / 4 - y / 100 + y / 400 + kOffsets[date.month - 1] + date.day) % 7;
    return (sundayFirst + 6) % 7;
}

Date AddDays(Date date, int days) {
    for (; days > 0; --days) {
        if (++date.day > DaysInMonth(date.year, date.month)) {
            date.day = 1;
            if (++date.month > 12) date.month = 1, ++date.year;
        }
    }
    for (; days < 0; ++days) {
        if (--date.day < 1) {
            if (--date.month < 1) date.month = 12, --date.year;
            date.day = DaysInMonth(date.year, date.month);
        }
    }
    return date;
}

}  // namespace phone
