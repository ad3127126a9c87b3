// The home screen: what the phone shows when no application is in front, and
// the list the user opens the applications from. At boot it starts the lock
// agent, as the phone's start-up folder would.
#include "app_frame.h"
#include "phone_constants.h"
#include "phone_resource.h"
#include "program_launch.h"
#include "two_line_list.h"

#include <cwchar>

namespace {

const phone::ListItem kEntries[] = {
    {phone::kContactsTitle, L"Телефонная книга", nullptr},
    {phone::kCalendarTitle, L"Встречи и напоминания", nullptr},
    {phone::kCallLogTitle, L"Журнал вызовов", nullptr},
    {phone::kMessagesTitle, L"Входящие SMS", nullptr},
    {phone::kSettingsTitle, L"Блокировка приложений", nullptr},
};
const wchar_t *const kPrograms[] = {
    phone::kContactsExe, phone::kCalendarExe, phone::kCallLogExe,
    phone::kMessagesExe, phone::kSettingsExe,
};
static_assert(ARRAYSIZE(kEntries) == ARRAYSIZE(kPrograms), "one program per entry");

HWND CreateLauncher(HWND frame) {
    return phone::CreateTwoLineList(frame, kEntries, ARRAYSIZE(kEntries));
}

// The application starts, or shows its running copy; a program that is not
// installed (the settings program on a bare phone) simply does not open.
void OpenEntry(HWND list, HWND) {
    int row = phone::SelectedRow(list);
    if (row >= 0 && row < static_cast<int>(ARRAYSIZE(kPrograms)))
        phone::StartSibling(kPrograms[row]);
}

bool StartupSkipped() {
    return wcsstr(GetCommandLineW(), phone::kNoStartupArg) != nullptr;
}

void Boot(HWND) {
    if (!StartupSkipped()) phone::StartSibling(phone::kAgentExe);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {
        phone::kHomeClass, phone::kHomeTitle, IDR_HOME_BAR, CreateLauncher, OpenEntry, Boot, false};
    return phone::RunPhoneApp(instance, app);
}
