// Messaging: the SMS inbox.
#include "app_frame.h"
#include "phone_constants.h"
#include "phone_resource.h"
#include "two_line_list.h"

namespace {

const phone::ListItem kMessages[] = {
    {L"Мама", L"Не забудь купить хлеб и молоко",
     L"Не забудь купить хлеб и молоко по дороге домой. Целую!\n\nПолучено: сегодня, 09:15"},
    {L"Андрей Смирнов", L"Встречаемся в 13:00 у входа",
     L"Встречаемся в 13:00 у входа в кафе, столик я заказал.\n\nПолучено: сегодня, 08:47"},
    {L"900", L"Баланс: 312,40 р.",
     L"Баланс: 312,40 р. Пополнить счёт можно в любом салоне связи.\n\nПолучено: вчера, 19:02"},
    {L"Алексеева Ольга", L"Спасибо за поздравление!",
     L"Спасибо за поздравление! Приходи в субботу, будем рады.\n\nПолучено: вчера, 17:26"},
    {L"Доктор Петрова", L"Напоминаем о приёме",
     L"Напоминаем о приёме в четверг в 15:30, каб. 214.\n\nПолучено: пн, 11:40"},
    {L"Иванов Сергей", L"Документы отправил на почту",
     L"Документы отправил на почту, посмотри, пожалуйста, до вечера.\n\nПолучено: пн, 10:05"},
};

HWND CreateInbox(HWND frame) {
    return phone::CreateTwoLineList(frame, kMessages, ARRAYSIZE(kMessages));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {phone::kInboxClass,
                                       phone::kMessagesTitle,
                                       IDR_APP_BAR,
                                       CreateInbox,
                                       phone::ShowSelectedDetail,
                                       nullptr,
                                       true};
    return phone::RunPhoneApp(instance, app);
}
