// Plays a script inside a dialog's modal loop, in this process: the real
// dialogs from the program's own resources, driven without a person.
#ifndef QUELLOR_TESTS_SETTINGS_IN_PROCESS_DIALOGS_H
#define QUELLOR_TESTS_SETTINGS_IN_PROCESS_DIALOGS_H

#include <windows.h>

#include <functional>

// Loads resources from this test executable (which carries the program's
// resource script) and computes the layout scale, as the program's start does.
void UseProgramResources();

// Enters the modal loop of run and, once the dialog of this process titled
// title is on the screen, plays script with *dialog that dialog; a test
// failure, and no script, when no such dialog came up.
void PlayInDialog(const wchar_t *title, HWND *dialog, std::function<void()> script,
                  const std::function<void()> &run);

#endif
