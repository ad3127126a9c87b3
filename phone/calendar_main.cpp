// Calendar: the month view with the appointment book.
#include "app_frame.h"
#include "month_grid.h"
#include "phone_constants.h"
#include "phone_resource.h"

namespace {

const phone::CalendarEvent kAppointments[] = {
    {-6, L"18:30 Родительское собрание"}, {-2, L"10:00 Планёрка"},
    {0, L"13:00 Обед с Андреем"},         {0, L"19:00 Тренировка"},
    {2, L"10:00 Совещание у директора"},  {3, L"15:30 Приём у врача, каб. 214"},
    {5, L"День рождения Ольги"},          {11, L"07:40 Поезд в Ярославль"},
};

HWND CreateMonthView(HWND frame) {
    return phone::CreateMonthGrid(frame, kAppointments, ARRAYSIZE(kAppointments));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {phone::kCalendarClass,
                                       phone::kCalendarTitle,
                                       IDR_APP_BAR,
                                       CreateMonthView,
                                       phone::ShowSelectedDay,
                                       nullptr,
                                       true};
    return phone::RunPhoneApp(instance, app);
}
