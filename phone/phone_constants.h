// Names the phone stand-ins share with each other and with whoever looks for
// them from outside: window classes (the lock agent finds the applications by
// these), program file names and the phone's folders.
#ifndef QUELLOR_PHONE_PHONE_CONSTANTS_H
#define QUELLOR_PHONE_PHONE_CONSTANTS_H

namespace phone {

// Window classes of the phone's own applications, as the device registers them.
constexpr wchar_t kContactsClassCe5[] = L"MSContactsUI";  // Contacts on Windows CE 5
constexpr wchar_t kContactsClass[] = L"Contacts";         // Contacts on other CE versions
constexpr wchar_t kCalendarClass[] = L"Calendar";
constexpr wchar_t kCallLogClass[] = L"MSClog";
constexpr wchar_t kInboxClass[] = L"Inbox.MainWnd";
constexpr wchar_t kHomeClass[] = L"PhoneHome";

// What the user reads: screen titles and the home screen's list.
constexpr wchar_t kHomeTitle[] = L"Главная";
constexpr wchar_t kContactsTitle[] = L"Контакты";
constexpr wchar_t kCalendarTitle[] = L"Календарь";
constexpr wchar_t kCallLogTitle[] = L"Звонки";
constexpr wchar_t kMessagesTitle[] = L"Сообщения";
// The second line of a Start menu program's row on the home screen.
constexpr wchar_t kProgramRowText[] = L"Программа";

// The phone's own programs, all in one folder.
constexpr wchar_t kHomeExe[] = L"PhoneHome.exe";
constexpr wchar_t kContactsExe[] = L"Contacts.exe";
constexpr wchar_t kCalendarExe[] = L"Calendar.exe";
constexpr wchar_t kCallLogExe[] = L"CallLog.exe";
constexpr wchar_t kMessagesExe[] = L"Messages.exe";
constexpr wchar_t kInstallerExe[] = L"wceload.exe";

// Home screen argument that skips the start-up programs (tests drive the lock
// agent themselves).
constexpr wchar_t kNoStartupArg[] = L"/nostartup";

// Folders of the phone, as CE paths (ce_path.h maps them to the desktop). The
// home screen starts every shortcut of the start-up folder at boot and lists
// those of the programs folder; the installer keeps setup DLLs in AppMgr.
constexpr wchar_t kStartUpFolder[] = L"\\Windows\\StartUp";                // %CE4%
constexpr wchar_t kProgramsFolder[] = L"\\Windows\\Start Menu\\Programs";  // %CE11%
constexpr wchar_t kAppMgrFolder[] = L"\\Windows\\AppMgr";
constexpr wchar_t kShortcutSuffix[] = L".lnk";

}  // namespace phone

#endif
