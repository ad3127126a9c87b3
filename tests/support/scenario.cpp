#include "scenario.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <utility>

namespace scenario {

std::wstring ProgramPath(const wchar_t *exeName) {
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + exeName;
}

Process::~Process() {
    if (Running()) Kill();
    if (handle_) CloseHandle(handle_);
}

bool Process::Start(const wchar_t *exeName, const wchar_t *args) {
    return StartAt(ProgramPath(exeName), args);
}

bool Process::StartAt(const std::wstring &path, const wchar_t *args) {
    std::wstring cmd = L"\"" + path + L"\"";
    if (args && *args) cmd += L" " + std::wstring(args);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    if (handle_) CloseHandle(handle_);
    handle_ = pi.hProcess;
    id_ = pi.dwProcessId;
    return true;
}

bool Process::WaitExit(DWORD timeoutMs, DWORD *code) {
    if (!handle_) return false;
    if (WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (code) GetExitCodeProcess(handle_, code);
    return true;
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
    if (!handle_) return;
    TerminateProcess(handle_, 99);
    WaitForSingleObject(handle_, 5000);
}

HWND FindTopLevel(const wchar_t *cls, const wchar_t *title) {
    return FindWindowW(cls, title);
}

HWND WaitForWindow(const wchar_t *cls, const wchar_t *title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowW(cls, title)) != nullptr; }, timeoutMs);
    return found;
}

namespace {
struct ProcessWindowQuery {
    DWORD pid;
    const wchar_t *cls;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND hwnd, LPARAM lp) {
    auto *q = reinterpret_cast<ProcessWindowQuery *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != q->pid || !IsWindowVisible(hwnd)) return TRUE;
    if (q->cls && ClassName(hwnd) != q->cls) return TRUE;
    q->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindWindowOfProcess(DWORD pid, const wchar_t *cls) {
    ProcessWindowQuery q = {pid, cls, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[512] = {};
    // WM_GETTEXT rather than GetWindowText: the latter does not read the text
    // of another process's controls.
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buf;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
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

std::wstring ClassName(HWND hwnd) {
    wchar_t buf[256] = {};
    GetClassNameW(hwnd, buf, 256);
    return buf;
}

bool IsTopMost(HWND hwnd) {
    return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void PressKey(BYTE vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(30);
}

void TypeDigits(const wchar_t *digits) {
    for (const wchar_t *p = digits; *p; ++p) {
        if (*p >= L'0' && *p <= L'9') PressKey(static_cast<BYTE>(*p));
    }
}

void DeleteSettingsKey() {
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quellor");
}

namespace {
std::wstring ScreensFolder() {
    wchar_t buf[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"QUELLOR_SCREENS", buf, MAX_PATH);
    std::wstring dir = (n > 0 && n < MAX_PATH) ? std::wstring(buf) : ProgramPath(L"screens");
    if (!dir.empty() && dir[0] == L'/') {  // a Unix path from the test runner: drive Z:
        for (auto &c : dir)
            if (c == L'/') c = L'\\';
        dir = L"Z:" + dir;
    }
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}
}  // namespace

std::vector<DWORD> ScreenPixels() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    GdiFlush();
    if (bits) std::copy_n(static_cast<const DWORD *>(bits), pixels.size(), pixels.begin());
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    for (DWORD &p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

std::wstring SaveScreen(const std::string &name) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<DWORD> pixels = ScreenPixels();
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = -h;  // rows from the top, as read
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof info;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + pixels.size() * sizeof(DWORD));
    std::wstring file = ScreensFolder() + L"\\";
    for (char c : name)
        file += (iswalnum(static_cast<unsigned char>(c)) || c == '-') ? wchar_t(c) : L'_';
    file += L".bmp";
    FILE *f = _wfopen(file.c_str(), L"wb");
    if (f) {
        fwrite(&fh, sizeof fh, 1, f);
        fwrite(&info, sizeof info, 1, f);
        fwrite(pixels.data(), sizeof(DWORD), pixels.size(), f);
        fclose(f);
    }
    return file;
}

void KillProgramsNamed(const std::vector<std::wstring> &exeNames) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe)) {
        for (const auto &name : exeNames) {
            if (_wcsicmp(pe.szExeFile, name.c_str()) != 0) continue;
            HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pe.th32ProcessID);
            if (p) {
                TerminateProcess(p, 99);
                WaitForSingleObject(p, 5000);
                CloseHandle(p);
            }
        }
    }
    CloseHandle(snap);
}

namespace {
struct DialogCollection {
    DWORD pid;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM lp) {
    auto *c = reinterpret_cast<DialogCollection *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == c->pid && ClassName(hwnd) == L"#32770") c->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> DialogsOfProcess(DWORD pid) {
    DialogCollection c = {pid, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&c));
    return c.found;
}

int CountDialogsTitled(DWORD pid, const wchar_t *title) {
    int count = 0;
    for (HWND dialog : DialogsOfProcess(pid)) {
        // The caption the system keeps: read without a message to a program
        // that may be busy in a nested loop.
        wchar_t text[64] = {};
        GetWindowTextW(dialog, text, 64);
        if (wcscmp(text, title) == 0) ++count;
    }
    return count;
}

MessageFuzzer::MessageFuzzer(uint32_t seed, std::vector<WORD> commands)
    : random_(seed), commands_(std::move(commands)) {}

ForeignMessage MessageFuzzer::Next() {
    // Keys a phone has, and some it has not.
    static const BYTE kKeys[] = {VK_F1,   VK_F2,    VK_ESCAPE, VK_RETURN, VK_TAB, VK_UP,
                                 VK_DOWN, VK_SPACE, VK_BACK,   '0',       '4',    '8'};
    const LPARAM any = static_cast<LPARAM>(static_cast<int32_t>(Word()));
    const uint32_t kind = Word() % 100;
    if (kind < 15) return {WM_USER + Word() % (WM_APP - WM_USER), Word(), any};
    if (kind < 25) return {WM_APP + Word() % 0x4000, Word(), any};
    if (kind < 35) return {WM_COMMAND, Word(), Word() % 2 ? any : 0};
    if (kind < 60) return {WM_COMMAND, commands_[Pick(commands_.size())], 0};
    if (kind < 68) {
        const WORD vk = Word() % 2 ? VK_ESCAPE : static_cast<WORD>(Word() % 256);
        return {WM_HOTKEY, Word() % 4, MAKELPARAM(Word() % 2 ? 0x1000 : 0, vk)};
    }
    if (kind < 85) {
        static const UINT kKeyMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR};
        const WPARAM vk = Word() % 4 ? kKeys[Pick(sizeof kKeys)] : Word() % 256;
        return {kKeyMessages[Pick(3)], vk, Word() % 2 ? 1 : any};
    }
    if (kind < 90) return {WM_USER + 200, Word() % 3 ? Word() % 8 : Word(), any};
    if (kind < 95) return {WM_USER + 100, Word(), any};
    return {WM_SIZE, Word() % 5, any};
}

FuzzFigures PostForeignMessages(DWORD pid, MessageFuzzer &fuzzer, int count,
                                const std::function<bool(HWND, const ForeignMessage &)> &allowed,
                                const std::function<void()> &sample) {
    FuzzFigures figures;
    const DWORD start = GetTickCount();
    while (figures.posted < count) {
        std::vector<HWND> dialogs = DialogsOfProcess(pid);
        if (dialogs.empty()) break;
        HWND target = dialogs[fuzzer.Pick(dialogs.size())];
        ForeignMessage m = fuzzer.Next();
        if (!allowed(target, m)) continue;
        PostMessageW(target, m.message, m.wParam, m.lParam);
        ++figures.posted;
        // Now and then until the program has caught up, so the queue does not
        // only grow and what is sampled is what the messages did.
        if (figures.posted % 20 == 0)
            SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        Sleep(1);
        sample();
    }
    figures.ms = GetTickCount() - start;
    return figures;
}

void ScenarioTest::TearDown() {
    if (HasFailure()) {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::wstring file = SaveScreen(std::string(info->test_suite_name()) + "-" + info->name());
        fwprintf(stderr, L"screenshot of the phone: %ls\n", file.c_str());
    }
}

}  // namespace scenario
