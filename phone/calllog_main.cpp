// Call history: the latest incoming, outgoing and missed calls.
#include "app_frame.h"
#include "phone_constants.h"
#include "phone_resource.h"
#include "two_line_list.h"

namespace {

const phone::ListItem kCalls[] = {
    {L"Иванов Сергей", L"Входящий, сегодня 10:42",
     L"Входящий вызов\nСегодня, 10:42\nДлительность: 3:15\n+7 903 555-21-08"},
    {L"Мама", L"Исходящий, сегодня 09:05",
     L"Исходящий вызов\nСегодня, 09:05\nДлительность: 7:48\n+7 916 300-41-25"},
    {L"+7 495 123-45-67", L"Пропущенный, вчера 21:17",
     L"Пропущенный вызов\nВчера, 21:17\n+7 495 123-45-67"},
    {L"Алексеева Ольга", L"Входящий, вчера 18:30",
     L"Входящий вызов\nВчера, 18:30\nДлительность: 12:02\n+7 916 204-18-37"},
    {L"Такси «Вектор»", L"Исходящий, вчера 08:12",
     L"Исходящий вызов\nВчера, 08:12\nДлительность: 0:54\n+7 495 777-00-77"},
    {L"Васильев Дмитрий", L"Пропущенный, пн 14:03",
     L"Пропущенный вызов\nПонедельник, 14:03\n+7 921 118-60-44"},
    {L"Бабушка", L"Исходящий, вс 12:40",
     L"Исходящий вызов\nВоскресенье, 12:40\nДлительность: 25:31\n+7 4852 32-15-77"},
    {L"Доктор Петрова", L"Входящий, пт 16:55",
     L"Входящий вызов\nПятница, 16:55\nДлительность: 2:07\n+7 495 215-33-10"},
};

HWND CreateCallList(HWND frame) {
    return phone::CreateTwoLineList(frame, kCalls, ARRAYSIZE(kCalls));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {phone::kCallLogClass,
                                       phone::kCallLogTitle,
                                       IDR_APP_BAR,
                                       CreateCallList,
                                       phone::ShowSelectedDetail,
                                       nullptr,
                                       true};
    return phone::RunPhoneApp(instance, app);
}
