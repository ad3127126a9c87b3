// Driving the real Quelwatch.exe and the phone's applications from outside,
// the way the phone's user would, and reading what is on the screen.
#ifndef QUELLOR_TESTS_AGENT_AGENT_PHONE_H
#define QUELLOR_TESTS_AGENT_AGENT_PHONE_H

#include "scenario.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace agent_phone {

const wchar_t kAgentExe[] = L"Quelwatch.exe";
const wchar_t kHomeExe[] = L"PhoneHome.exe";
const wchar_t kContactsExe[] = L"Contacts.exe";
const wchar_t kCalendarExe[] = L"Calendar.exe";
const wchar_t kMessagesExe[] = L"Messages.exe";
const wchar_t kHomeClass[] = L"PhoneHome";
const wchar_t kContactsClass[] = L"MSContactsUI";  // Wine is not Windows CE 4 or 6
const wchar_t kCalendarClass[] = L"Calendar";
const wchar_t kInboxClass[] = L"Inbox.MainWnd";
const wchar_t kDefaultPassword[] = L"4826";

// Generous for a slow machine: one poll period plus a wide margin.
const DWORD kLockWithinMs = 500 + 1500;
const DWORD kScreenMs = 5000;

// The agent's registry key with these values.
void WriteSettings(uint32_t lockFlags, const wchar_t *password = kDefaultPassword);
// The password as the agent loads it.
std::wstring StoredPassword();

// What the shared cell holds, live window or not.
HWND CellContent();
// The window the agent has published in the shared cell, or 0.
HWND PublishedPrompt();
HWND PasswordField(HWND prompt);
// Text of a control in another process (password fields too).
std::wstring FieldText(HWND field);

bool WaitHidden(HWND window, DWORD timeoutMs = kLockWithinMs);
bool WaitShown(HWND window, DWORD timeoutMs = kScreenMs);
bool StaysShown(HWND window, DWORD forMs);

// The agent's wrong-password box once it is up, and its text.
HWND WaitForWarning(std::wstring *text, DWORD timeoutMs = kScreenMs);

// The ids of process pid's windows are enough to wait for it to end.
bool WaitProcessOfWindowEnds(DWORD pid, DWORD timeoutMs);

// Types the digits and presses the left soft key ("Готово").
void AnswerPrompt(const wchar_t *digits);

// A string from a program's string table.
std::wstring ProgramString(const wchar_t *exeName, UINT id);

}  // namespace agent_phone

#endif
