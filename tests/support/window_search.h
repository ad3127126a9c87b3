// Finding the phone's windows from outside, the way a test sees them: by
// class, title and owning process, the dialogs and message boxes of a
// process, the pop-up menu it has open, and waits for each to show up,
// come forward or go.
#ifndef QUELLOR_TESTS_SUPPORT_WINDOW_SEARCH_H
#define QUELLOR_TESTS_SUPPORT_WINDOW_SEARCH_H

#include "waits.h"

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// The classes the system gives its dialogs (message boxes too) and pop-up menus.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kPopupMenuClass[] = L"#32768";
// A message box shows its text in the static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

// Text of a window or control, in this process or another (password fields too).
std::wstring WindowText(HWND window);
// Text of control id of dialog, and a wait until it reads text.
std::wstring ItemText(HWND dialog, int id);
bool WaitForItemText(HWND dialog, int id, const std::wstring &text, DWORD timeoutMs = kScreenMs);
// The caption the system keeps: read without a message to a program that may
// be busy in a nested loop.
std::wstring Caption(HWND window);
std::wstring ClassName(HWND window);
bool IsTopMost(HWND window);
// The window with the keyboard focus in the thread that owns window.
HWND FocusOf(HWND window);

// First top-level window with this class (and title, when given), once it exists.
HWND WaitForWindow(const wchar_t *cls, const wchar_t *title, DWORD timeoutMs = kStartMs);
int CountTopLevel(const wchar_t *cls);

// A top-level window of process pid with class cls and title (either may be
// null for any); hidden ones too, or only those shown.
HWND AnyWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title = nullptr);
HWND ShownWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title = nullptr);
// The top-level dialogs of process pid, hidden ones too, and how many carry title.
std::vector<HWND> DialogsOfProcess(DWORD pid);
int CountDialogsTitled(DWORD pid, const wchar_t *title);
// A dialog of process pid with this title once it is on the screen, or 0.
HWND WaitForDialog(DWORD pid, const wchar_t *title, DWORD timeoutMs = kScreenMs);
// The same for a message box; its text in *text.
HWND WaitForMessageBox(DWORD pid, const wchar_t *caption, std::wstring *text,
                       DWORD timeoutMs = kScreenMs);
std::wstring MessageBoxText(HWND box);

// The pop-up menu process pid has open, or 0.
HWND OpenPopupMenu(DWORD pid);
HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs = kScreenMs);
bool WaitForNoPopupMenu(DWORD pid, DWORD timeoutMs = kScreenMs);

// Until window is the foreground window and its own thread has taken the
// activation. The system names a new foreground window at once, but when
// another process brought it forward its thread takes the activation a
// moment later, and a key pressed before that reaches no window.
bool WaitForForeground(HWND window, DWORD timeoutMs = kScreenMs);
// Until the foreground window is of class cls.
bool WaitForegroundClass(const wchar_t *cls, DWORD timeoutMs = kScreenMs);
bool WaitShown(HWND window, DWORD timeoutMs = kScreenMs);
bool WaitHidden(HWND window, DWORD timeoutMs);
// True when window stays shown for all of forMs.
bool StaysShown(HWND window, DWORD forMs);
// Until window is destroyed.
bool WaitGone(HWND window, DWORD timeoutMs = kScreenMs);
// Until window and its controls have nothing left to paint: what a
// screenshot or a pixel check sees then is what the program drew.
bool WaitPainted(HWND window, DWORD timeoutMs = kScreenMs);

// For a failure: the windows Wine has on the screen, top first, on stderr,
// with the tick count a shell trace of the run is stamped with. What X shows
// is in the screenshot beside it.
void PrintWindowOrder();

}  // namespace harness

#endif
