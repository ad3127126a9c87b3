// Quelset as the scenarios drive it from outside: its settings dialog once it
// is up and in front, and its "Настройки" pop-up, whose entries are read from
// the screen (grayed or not) because another process cannot ask a menu.
#ifndef QUELLOR_TESTS_SETTINGS_QUELSET_DRIVER_H
#define QUELLOR_TESTS_SETTINGS_QUELSET_DRIVER_H

#include "programs.h"

#include <windows.h>

#include <vector>

namespace quelset_test {

// The settings dialog of a started Quelset, once it is up and in front.
HWND WaitForSettingsDialog(const harness::Process &quelset);

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

// The pop-up's rows, as harness::ChooseRow chooses them.
enum SettingsMenuRow { kRowSetPassword = 0, kRowStopAgent = 1, kRowAbout = 2 };

}  // namespace quelset_test

#endif
