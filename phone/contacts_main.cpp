// Contacts: the phone book.
#include "app_frame.h"
#include "contacts_class.h"
#include "phone_constants.h"
#include "phone_resource.h"
#include "two_line_list.h"

namespace {

const phone::ListItem kContacts[] = {
    {L"Алексеева Ольга", L"+7 916 204-18-37 (моб.)",
     L"Мобильный: +7 916 204-18-37\nE-mail: olga.alekseeva@mail.ru"},
    {L"Андрей Смирнов", L"+7 903 771-45-02 (моб.)",
     L"Мобильный: +7 903 771-45-02\nРабочий: +7 495 640-12-90"},
    {L"Бабушка", L"+7 4852 32-15-77 (дом.)", L"Домашний: +7 4852 32-15-77\nЯрославль"},
    {L"Васильев Дмитрий", L"+7 921 118-60-44 (раб.)",
     L"Рабочий: +7 921 118-60-44\nООО «Северный ветер»"},
    {L"Гаврилова Анна", L"+7 917 533-09-81 (моб.)", L"Мобильный: +7 917 533-09-81"},
    {L"Доктор Петрова", L"+7 495 215-33-10 (раб.)",
     L"Рабочий: +7 495 215-33-10\nПоликлиника № 12, каб. 214"},
    {L"Иванов Сергей", L"+7 903 555-21-08 (моб.)",
     L"Мобильный: +7 903 555-21-08\nДень рождения: 14 марта"},
    {L"Кузнецова Елена", L"+7 926 480-72-66 (моб.)",
     L"Мобильный: +7 926 480-72-66\nE-mail: e.kuznetsova@yandex.ru"},
    {L"Мама", L"+7 916 300-41-25 (моб.)", L"Мобильный: +7 916 300-41-25"},
    {L"Морозов Павел", L"+7 985 904-13-57 (моб.)", L"Мобильный: +7 985 904-13-57"},
    {L"Такси «Вектор»", L"+7 495 777-00-77", L"Рабочий: +7 495 777-00-77\nКруглосуточно"},
    {L"Юрьев Николай", L"+7 912 640-58-19 (раб.)", L"Рабочий: +7 912 640-58-19"},
};

HWND CreateContactList(HWND frame) {
    return phone::CreateTwoLineList(frame, kContacts, ARRAYSIZE(kContacts));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {phone::ContactsWindowClass(),
                                       phone::kContactsTitle,
                                       IDR_APP_BAR,
                                       CreateContactList,
                                       phone::ShowSelectedDetail,
                                       nullptr,
                                       true};
    return phone::RunPhoneApp(instance, app);
}
