// Plays a script inside a dialog's modal loop, in this process, and answers
// the message boxes that come up meanwhile: the real dialogs from the
// program's own resources, driven without a person.
#ifndef QUELLOR_TESTS_SETTINGS_IN_PROCESS_DIALOGS_H
#define QUELLOR_TESTS_SETTINGS_IN_PROCESS_DIALOGS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Loads resources from this test executable (which carries the program's
// resource script) and computes the layout scale, as the program's start does.
void UseProgramResources();

// Starts script from a timer once the modal loop entered by run is pumping.
void PlayDuring(std::function<void()> script, const std::function<void()> &run);

// A message box as it came up: caption and text.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

// While alive, closes every message box of this thread with OK and records it.
class BoxAnswerer {
public:
    BoxAnswerer();
    ~BoxAnswerer();
    std::vector<SeenBox> seen;
};

// Text of a control, and of a window of this thread found by class and title.
std::wstring TextOf(HWND window);
HWND FindThreadDialog(const wchar_t *title);

// Drops the quit message that ending a main dialog leaves in the queue, so
// the next modal loop of the test does not end at once.
void DropQuitMessage();

#endif
