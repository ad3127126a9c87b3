// The home screen: what the phone shows when no application is in front, and
// the list the user opens the applications from. At boot it starts every
// shortcut of the start-up folder, as the phone does, and lists the phone's
// four applications and then the programs of the Start menu, read once at
// boot: a program installed later shows after the next boot, as the list of
// a phone without a shell that watches its folders would.
#include "app_frame.h"
#include "phone_constants.h"
#include "phone_resource.h"
#include "program_launch.h"
#include "shortcut_folder.h"
#include "two_line_list.h"

#include <cwchar>

namespace {

const phone::ListItem kApps[] = {
    {phone::kContactsTitle, L"Телефонная книга", nullptr},
    {phone::kCalendarTitle, L"Встречи и напоминания", nullptr},
    {phone::kCallLogTitle, L"Журнал вызовов", nullptr},
    {phone::kMessagesTitle, L"Входящие SMS", nullptr},
};
const wchar_t *const kAppPrograms[] = {
    phone::kContactsExe,
    phone::kCalendarExe,
    phone::kCallLogExe,
    phone::kMessagesExe,
};
static_assert(ARRAYSIZE(kApps) == ARRAYSIZE(kAppPrograms), "one program per application");
constexpr int kAppCount = ARRAYSIZE(kApps);

// The list's rows point into these for as long as the home screen runs.
phone::NamedShortcut g_programs[phone::kMaxFolderShortcuts];
phone::ListItem g_rows[kAppCount + phone::kMaxFolderShortcuts];

HWND CreateLauncher(HWND frame) {
    int programs =
        phone::ReadShortcutFolder(phone::kProgramsFolder, g_programs, phone::kMaxFolderShortcuts);
    for (int i = 0; i < kAppCount; ++i) g_rows[i] = kApps[i];
    for (int i = 0; i < programs; ++i)
        g_rows[kAppCount + i] = {g_programs[i].name, phone::kProgramRowText, nullptr};
    return phone::CreateTwoLineList(frame, g_rows, kAppCount + programs);
}

// The application starts, or shows its running copy; a program that is not
// installed simply does not open.
void OpenEntry(HWND list, HWND) {
    int row = phone::SelectedRow(list);
    if (row < 0) return;
    if (row < kAppCount)
        phone::StartSibling(kAppPrograms[row]);
    else if (row - kAppCount < phone::kMaxFolderShortcuts)
        phone::StartShortcut(g_programs[row - kAppCount].shortcut);
}

bool StartupSkipped() {
    return wcsstr(GetCommandLineW(), phone::kNoStartupArg) != nullptr;
}

void Boot(HWND) {
    if (StartupSkipped()) return;
    static phone::NamedShortcut startup[phone::kMaxFolderShortcuts];
    int count =
        phone::ReadShortcutFolder(phone::kStartUpFolder, startup, phone::kMaxFolderShortcuts);
    for (int i = 0; i < count; ++i) phone::StartShortcut(startup[i].shortcut);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const phone::AppDescription app = {
        phone::kHomeClass, phone::kHomeTitle, IDR_HOME_BAR, CreateLauncher, OpenEntry, Boot, false};
    return phone::RunPhoneApp(instance, app);
}
