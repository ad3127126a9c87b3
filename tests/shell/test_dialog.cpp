#include "test_dialog.h"

#include <thread>

#include "waits.h"

namespace shelltest {

namespace {
constexpr UINT kMsgStart = WM_APP + 40;
constexpr UINT kMsgEnd = WM_APP + 41;
constexpr UINT kMsgSync = WM_APP + 42;
constexpr UINT_PTR kSafetyTimer = 7;
}  // namespace

const DLGTEMPLATE *TestTemplate() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC res =
        FindResourceW(self, MAKEINTRESOURCEW(IDD_TEST), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    return res ? static_cast<const DLGTEMPLATE *>(LockResource(LoadResource(self, res))) : nullptr;
}

HWND CreatePlainDialog() {
    return CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), TestTemplate(), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
}

int TestDialog::Run(const DialogOptions &options, Script script) {
    options_ = options;
    script_ = std::move(script);
    done_ = false;
    code_ = -1;
    events_.clear();
    HINSTANCE self = GetModuleHandleW(nullptr);
    if (!options.modeless) {
        return static_cast<int>(DialogBoxIndirectParamW(self, TestTemplate(), nullptr, Proc,
                                                        reinterpret_cast<LPARAM>(this)));
    }
    HWND dlg = CreateDialogIndirectParamW(self, TestTemplate(), nullptr, Proc,
                                          reinterpret_cast<LPARAM>(this));
    if (!dlg) return -1;
    ShowWindow(dlg, SW_SHOW);
    MSG msg;
    while (!done_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return code_;
}

INT_PTR CALLBACK TestDialog::Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dlg, DWLP_USER, lp);
        reinterpret_cast<TestDialog *>(lp)->dialog_ = dlg;
    }
    auto *self = reinterpret_cast<TestDialog *>(GetWindowLongPtrW(dlg, DWLP_USER));
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

INT_PTR TestDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: {
        bar_ = nullptr;
        if (options_.barId) {
            SHMENUBARINFO mbi = {};
            mbi.cbSize = sizeof(mbi);
            mbi.hwndParent = dialog_;
            mbi.nToolBarId = options_.barId;
            mbi.hInstRes = GetModuleHandleW(nullptr);
            if (SHCreateMenuBar(&mbi)) bar_ = mbi.hwndMB;
            if (bar_ && options_.overrideBack)
                SendMessageW(
                    bar_, SHCMBM_OVERRIDEKEY, VK_TBACK,
                    MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
        }
        SHINITDLGINFO shidi = {SHIDIM_FLAGS, dialog_, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
        SHInitDialog(&shidi);
        if (options_.inputMode >= 0) SendMessageW(Edit(), EM_SETINPUTMODE, 0, options_.inputMode);
        SetFocus(Edit());
        SetTimer(dialog_, kSafetyTimer, 20000, nullptr);
        PostMessageW(dialog_, kMsgStart, 0, 0);
        return FALSE;  // the focus is set
    }
    case kMsgStart: {
        SetForegroundWindow(dialog_);
        std::thread([this] {
            harness::WaitUntil([this] { return GetForegroundWindow() == dialog_; }, 3000);
            script_(*this);
        }).detach();
        return TRUE;
    }
    case kMsgEnd:
        Finish(static_cast<int>(wp));
        return TRUE;
    case kMsgSync:  // answers whether keys or posted messages still wait here
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT,
                          HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0);
        return TRUE;
    case WM_TIMER:
        if (wp == kSafetyTimer) Finish(-2);
        return TRUE;
    case WM_COMMAND:
        Record(msg, wp, lp);
        return TRUE;  // never ends by itself: the tests look at what arrived
    case WM_INITMENUPOPUP:
        Record(msg, wp, lp, GetMenuItemID(reinterpret_cast<HMENU>(wp), 0));
        return TRUE;
    case WM_HOTKEY:
        Record(msg, wp, lp);
        if (options_.backToFocus && HIWORD(lp) == VK_TBACK) SHSendBackToFocusWindow(msg, wp, lp);
        return TRUE;
    case WM_SIZE:
        Record(msg, wp, lp);
        return FALSE;
    }
    return FALSE;
}

void TestDialog::Record(UINT msg, WPARAM wp, LPARAM lp, UINT firstItem) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back({msg, wp, lp, firstItem});
}

void TestDialog::Finish(int code) {
    if (done_) return;
    KillTimer(dialog_, kSafetyTimer);
    code_ = code;
    done_ = true;
    if (bar_ && IsWindow(bar_)) DestroyWindow(bar_);
    if (options_.modeless) {
        DestroyWindow(dialog_);
    } else {
        EndDialog(dialog_, code);
    }
}

void TestDialog::End(int code) {
    Settle();  // so that no key pressed before can land after the end
    PostMessageW(dialog_, kMsgEnd, static_cast<WPARAM>(code), 0);
}

std::vector<Event> TestDialog::Events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

bool TestDialog::WaitFor(const std::function<bool(const std::vector<Event> &)> &cond,
                         DWORD timeoutMs) {
    return harness::WaitUntil([&] { return cond(Events()); }, timeoutMs);
}

bool TestDialog::WaitForCommand(WORD id, DWORD timeoutMs) {
    return WaitFor([id](const std::vector<Event> &e) { return CountCommand(e, id) > 0; },
                   timeoutMs);
}

bool TestDialog::WaitForHotKey(WORD modifiers, DWORD timeoutMs) {
    return WaitFor(
        [modifiers](const std::vector<Event> &e) {
            for (const Event &ev : e)
                if (ev.msg == WM_HOTKEY && LOWORD(ev.lp) == modifiers) return true;
            return false;
        },
        timeoutMs);
}

std::wstring TestDialog::EditText() {
    wchar_t buf[256] = {};
    SendMessageW(Edit(), WM_GETTEXT, 256,
                 reinterpret_cast<LPARAM>(buf));  // marshalled to its thread
    return buf;
}

void TestDialog::Settle() {
    harness::WaitUntil([this] { return SendMessageW(dialog_, kMsgSync, 0, 0) == 0; },
                       harness::kScreenMs);
}

int TestDialog::Count(const std::vector<Event> &events, UINT msg) {
    int n = 0;
    for (const Event &e : events) n += e.msg == msg;
    return n;
}

int TestDialog::CountCommand(const std::vector<Event> &events, WORD id) {
    int n = 0;
    for (const Event &e : events) n += e.msg == WM_COMMAND && LOWORD(e.wp) == id;
    return n;
}

}  // namespace shelltest
