// A dialog from the tests' resources (an edit field and a check box) with a
// soft-key bar, run modal or modeless while a script on another thread drives
// it with real key presses. The dialog records what its owner receives; the
// script ends the dialog (or a 20 s safety timer does), never a person.
#ifndef QUELLOR_TESTS_SHELL_TEST_DIALOG_H
#define QUELLOR_TESTS_SHELL_TEST_DIALOG_H

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform_shell.h"
#include "shell_test_resource.h"

namespace shelltest {

struct Event {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    UINT firstItem;  // WM_INITMENUPOPUP: id of the pop-up's first item
};

struct DialogOptions {
    UINT barId = IDR_BAR_POPUP;  // 0: no bar
    bool overrideBack = true;    // SHCMBM_OVERRIDEKEY VK_TBACK 0x30003
    bool backToFocus = false;    // WM_HOTKEY VK_TBACK -> SHSendBackToFocusWindow
    bool modeless = false;       // CreateDialog + IsDialogMessage pump
    LPARAM inputMode = -1;       // EM_SETINPUTMODE to the edit when >= 0
};

class TestDialog {
public:
    using Script = std::function<void(TestDialog &)>;

    // Runs the dialog until the script calls End (or the safety timer fires);
    // returns the end code (-2 on the safety timer, -1 if it could not start).
    int Run(const DialogOptions &options, Script script);

    // For scripts.
    HWND Dialog() const { return dialog_; }
    HWND Bar() const { return bar_; }
    HWND Edit() const { return GetDlgItem(dialog_, IDC_TEST_EDIT); }
    void End(int code = 0);
    std::vector<Event> Events();
    bool WaitFor(const std::function<bool(const std::vector<Event> &)> &cond,
                 DWORD timeoutMs = 3000);
    bool WaitForCommand(WORD id, DWORD timeoutMs = 3000);
    bool WaitForHotKey(WORD modifiers, DWORD timeoutMs = 3000);
    // Text of the edit field, read through the dialog's thread.
    std::wstring EditText();
    // Until the dialog's thread has no key or posted message left in its queue.
    void Settle();

    // Counts over a finished run.
    static int Count(const std::vector<Event> &events, UINT msg);
    static int CountCommand(const std::vector<Event> &events, WORD id);

private:
    static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Record(UINT msg, WPARAM wp, LPARAM lp, UINT firstItem = 0);
    void Finish(int code);

    DialogOptions options_;
    Script script_;
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
    bool done_ = false;
    int code_ = -1;
    std::mutex mutex_;
    std::vector<Event> events_;
};

// A dialog of the tests' template created modeless and never pumped: for
// tests that only send messages on the test's own thread.
HWND CreatePlainDialog();
const DLGTEMPLATE *TestTemplate();

}  // namespace shelltest

#endif
