#include "window_search.h"

#include "programs.h"

namespace harness {

std::wstring WindowText(HWND window) {
    wchar_t buf[512] = {};
    // WM_GETTEXT rather than GetWindowText: the latter does not read the text
    // of another process's controls.
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buf;
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool WaitForItemText(HWND dialog, int id, const std::wstring &text, DWORD timeoutMs) {
    return WaitUntil([&] { return ItemText(dialog, id) == text; }, timeoutMs);
}

std::wstring Caption(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t buf[256] = {};
    GetClassNameW(window, buf, 256);
    return buf;
}

bool IsTopMost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

HWND WaitForWindow(const wchar_t *cls, const wchar_t *title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(cls, title)) != nullptr; }, timeoutMs);
    return found;
}

int CountTopLevel(const wchar_t *cls) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;) ++count;
    return count;
}

namespace {

struct ProcessWindows {
    DWORD pid;
    const wchar_t *cls;
    const wchar_t *title;
    bool shownOnly;
    bool all;  // collect every match, not only the first
    std::vector<HWND> found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM lp) {
    auto *q = reinterpret_cast<ProcessWindows *>(lp);
    if (ProcessOf(window) != q->pid) return TRUE;
    if (q->shownOnly && !IsWindowVisible(window)) return TRUE;
    if (q->cls && ClassName(window) != q->cls) return TRUE;
    if (q->title && WindowText(window) != q->title) return TRUE;
    q->found.push_back(window);
    return q->all;
}

std::vector<HWND> WindowsOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title,
                                   bool shownOnly, bool all) {
    ProcessWindows q = {pid, cls, title, shownOnly, all, {}};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

HWND FirstOf(const std::vector<HWND> &windows) {
    return windows.empty() ? nullptr : windows.front();
}

}  // namespace

HWND AnyWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title) {
    return FirstOf(WindowsOfProcess(pid, cls, title, false, false));
}

HWND ShownWindowOfProcess(DWORD pid, const wchar_t *cls, const wchar_t *title) {
    return FirstOf(WindowsOfProcess(pid, cls, title, true, false));
}

std::vector<HWND> DialogsOfProcess(DWORD pid) {
    return WindowsOfProcess(pid, kDialogClass, nullptr, false, true);
}

int CountDialogsTitled(DWORD pid, const wchar_t *title) {
    int count = 0;
    for (HWND dialog : DialogsOfProcess(pid)) count += Caption(dialog) == title;
    return count;
}

HWND WaitForDialog(DWORD pid, const wchar_t *title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = ShownWindowOfProcess(pid, kDialogClass, title)) != nullptr; },
              timeoutMs);
    return dialog;
}

HWND WaitForMessageBox(DWORD pid, const wchar_t *caption, std::wstring *text, DWORD timeoutMs) {
    HWND box = WaitForDialog(pid, caption, timeoutMs);
    if (box && text) *text = MessageBoxText(box);
    return box;
}

std::wstring MessageBoxText(HWND box) {
    return ItemText(box, kMessageBoxTextId);
}

HWND OpenPopupMenu(DWORD pid) {
    return ShownWindowOfProcess(pid, kPopupMenuClass);
}

HWND WaitForPopupMenu(DWORD pid, DWORD timeoutMs) {
    HWND popup = nullptr;
    WaitUntil([&] { return (popup = OpenPopupMenu(pid)) != nullptr; }, timeoutMs);
    return popup;
}

bool WaitForNoPopupMenu(DWORD pid, DWORD timeoutMs) {
    return WaitUntil([&] { return OpenPopupMenu(pid) == nullptr; }, timeoutMs);
}

bool WaitForForeground(HWND window, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            if (!window || GetForegroundWindow() != window) return false;
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
                   info.hwndActive == window;
        },
        timeoutMs);
}

bool WaitForegroundClass(const wchar_t *cls, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            HWND front = GetForegroundWindow();
            return front && ClassName(front) == cls;
        },
        timeoutMs);
}

bool WaitShown(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, timeoutMs);
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindowVisible(window); }, timeoutMs, 5);
}

bool StaysShown(HWND window, DWORD forMs) {
    return !WaitUntil([&] { return !IsWindowVisible(window); }, forMs);
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

bool WaitPainted(HWND window, DWORD timeoutMs) {
    auto painted = [](HWND w) { return !IsWindowVisible(w) || !GetUpdateRect(w, nullptr, FALSE); };
    return WaitUntil(
        [&] {
            bool all = IsWindowVisible(window) && painted(window);
            for (HWND c = GetWindow(window, GW_CHILD); c && all; c = GetWindow(c, GW_HWNDNEXT))
                all = painted(c);
            return all;
        },
        timeoutMs);
}

namespace {
BOOL CALLBACK PrintShownWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    const LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
    fwprintf(stderr, L"  %p %ls pid %lu%ls%ls%ls\n", window, ClassName(window).c_str(),
             ProcessOf(window), ex & WS_EX_TOPMOST ? L" topmost" : L"",
             GetWindow(window, GW_OWNER) ? L" owned" : L"",
             window == GetForegroundWindow() ? L" FOREGROUND" : L"");
    return TRUE;
}
}  // namespace

void PrintWindowOrder() {
    fwprintf(stderr, L"the windows on the screen at tick %lu, top first:\n", GetTickCount());
    EnumWindows(PrintShownWindow, 0);
}

}  // namespace harness
