// Driving Quelset.exe (and Quelwatch.exe, and the phone's stand-in apps) from
// outside, the way the phone's user would, and reading what is on the screen.
#ifndef QUELLOR_TESTS_SETTINGS_PHONE_DRIVER_H
#define QUELLOR_TESTS_SETTINGS_PHONE_DRIVER_H

#include "scenario.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quelset_test {

const wchar_t kQuelset[] = L"Quelset.exe";
const wchar_t kQuelwatch[] = L"Quelwatch.exe";
const wchar_t kMessages[] = L"Messages.exe";
const wchar_t kContacts[] = L"Contacts.exe";
const wchar_t kInboxClass[] = L"Inbox.MainWnd";

// Any top-level window of process pid (hidden ones too) with class cls and,
// when given, title.
HWND AnyWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title = nullptr);

// A dialog of process pid with this title once it is on the screen, or 0.
HWND WaitForDialog(DWORD pid, const wchar_t *title, DWORD timeoutMs = 3000);
// The settings dialog of a started Quelset, once it is up and in front.
HWND WaitForSettingsDialog(const scenario::Process &quelset);
// Text of a control of a dialog in another process.
std::wstring ItemText(HWND dialog, int id);
bool WaitForItemText(HWND dialog, int id, const std::wstring &text, DWORD timeoutMs = 3000);

// The open pop-up menu of process pid, or 0.
HWND OpenPopupMenu(DWORD pid);
HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs = 3000);
bool WaitForNoPopupMenu(DWORD pid, DWORD timeoutMs = 3000);
// Opens the "Настройки" pop-up of Quelset process pid with its soft key and
// returns it once its three entries are on the screen; 0 when it never shows.
HWND OpenSettingsMenu(DWORD pid);

// How the items of an open pop-up are drawn, read from the screen: for each
// text row from top to bottom, the luminance (0-255) of its darkest pixel
// and whether the row is highlighted. Grayed text never gets dark.
struct MenuRow {
    int darkest;
    bool highlighted;
};
std::vector<MenuRow> ReadMenuRows(HWND popup);
// Whether row index of the open pop-up is drawn grayed; the last row, an
// enabled entry, tells what enabled text looks like.
bool MenuRowGrayed(HWND popup, size_t index);

// Chooses entry row (0 "Настроить Пароль", 1 "Отключить", 2 "О программе")
// of the open pop-up with Home, the arrows and Enter.
void ChooseMenuRow(int row);

// A message box of process pid with this caption, once it is up; its text in *text.
HWND WaitForMessageBox(DWORD pid, const wchar_t *caption, std::wstring *text,
                       DWORD timeoutMs = 3000);

// Moves the focus to control with Tab, the desktop's key for the next field.
bool MoveFocusTo(HWND control);

// The stored settings.
bool ReadLockOption(DWORD *flags);
bool ReadPassword(std::wstring *password);
void StoreSettings(DWORD flags, const wchar_t *password);

// Kills whatever the phone runs of the lock and the stand-ins and removes the key.
void CleanPhone();

}  // namespace quelset_test

#endif
