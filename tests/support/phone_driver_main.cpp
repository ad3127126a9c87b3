// PhoneDriver: plays a scripted tour of the phone from the inside, one step
// after another, the way a user would drive it, with the harness's keys,
// window search and waits. Each step is a word and its argument on the
// command line:
//
//   wait CLASS     until an application window of CLASS (one no other window
//                  owns) is in front; gives up after the timeout
//   dialog CLASS   the same for a window some other window owns: a message box
//                  or the modal dialog of the program in front
//   key NAME       press and release a key: Up Down Left Right Home End Return
//                  Back Soft1 Soft2, a digit, or a virtual-key number
//   start EXE      start a program from this program's folder, don't wait
//   close CLASS    ask the window of CLASS to close
//   sleep MS       pause
//   timeout MS     how long later waits may take (10000 at the start)
//
// Exit code 0 when every step succeeded, 1 at the first that failed, 2 on a
// malformed script.
#include "keys.h"
#include "programs.h"
#include "waits.h"
#include "window_search.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

using namespace harness;

DWORD g_timeoutMs = kStartMs;

struct KeyName {
    const wchar_t *name;
    BYTE vk;
};
// The phone's keys as the emulated phone maps them to the PC keyboard.
const KeyName kKeys[] = {
    {L"Up", VK_UP},        {L"Down", VK_DOWN},    {L"Left", VK_LEFT},     {L"Right", VK_RIGHT},
    {L"Home", VK_HOME},    {L"End", VK_END},      {L"Return", VK_RETURN}, {L"Back", VK_TBACK},
    {L"Soft1", VK_TSOFT1}, {L"Soft2", VK_TSOFT2}, {L"Space", VK_SPACE},
};

bool ParseNumber(const wchar_t *text, DWORD *value) {
    if (!*text) return false;
    DWORD n = 0;
    for (const wchar_t *p = text; *p; ++p) {
        if (!iswdigit(*p) || n > 100000000) return false;
        n = n * 10 + static_cast<DWORD>(*p - L'0');
    }
    *value = n;
    return true;
}

bool KeyCode(const wchar_t *name, BYTE *vk) {
    for (const KeyName &k : kKeys) {
        if (_wcsicmp(k.name, name) == 0) {
            *vk = k.vk;
            return true;
        }
    }
    if (name[0] >= L'0' && name[0] <= L'9' && !name[1]) {
        *vk = static_cast<BYTE>(name[0]);
        return true;
    }
    DWORD code;
    if (ParseNumber(name, &code) && code > 0 && code < 256) {
        *vk = static_cast<BYTE>(code);
        return true;
    }
    return false;
}

bool ForegroundIs(const wchar_t *cls, bool owned) {
    HWND front = GetForegroundWindow();
    if (!front) return false;
    HWND root = GetAncestor(front, GA_ROOT);
    return ClassName(root) == cls && IsWindowVisible(front) &&
           (GetWindow(root, GW_OWNER) != nullptr) == owned;
}

bool WaitInFront(const wchar_t *cls, bool owned) {
    if (!WaitUntil([&] { return ForegroundIs(cls, owned); }, g_timeoutMs, 50)) return false;
    Sleep(250);  // the window has just come up: give it time to paint
    return true;
}

enum class StepResult { Done, Failed, Malformed };

StepResult RunStep(const wchar_t *verb, const wchar_t *arg) {
    DWORD number = 0;
    BYTE vk = 0;
    if (wcscmp(verb, L"wait") == 0 || wcscmp(verb, L"dialog") == 0)
        return WaitInFront(arg, verb[0] == L'd') ? StepResult::Done : StepResult::Failed;
    if (wcscmp(verb, L"start") == 0) return Launch(arg) ? StepResult::Done : StepResult::Failed;
    if (wcscmp(verb, L"close") == 0) {
        HWND window = FindWindowW(arg, nullptr);
        return window && PostMessageW(window, WM_CLOSE, 0, 0) ? StepResult::Done
                                                              : StepResult::Failed;
    }
    if (wcscmp(verb, L"key") == 0) {
        if (!KeyCode(arg, &vk)) return StepResult::Malformed;
        PressKey(vk);
        Sleep(20);  // let the window act on the key before the next step
        return StepResult::Done;
    }
    if (wcscmp(verb, L"sleep") == 0 || wcscmp(verb, L"timeout") == 0) {
        if (!ParseNumber(arg, &number)) return StepResult::Malformed;
        if (verb[0] == L's')
            Sleep(number);
        else
            g_timeoutMs = number;
        return StepResult::Done;
    }
    return StepResult::Malformed;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    for (int i = 1; i < argc; i += 2) {
        const wchar_t *verb = argv[i];
        const wchar_t *arg = i + 1 < argc ? argv[i + 1] : nullptr;
        StepResult result = arg ? RunStep(verb, arg) : StepResult::Malformed;
        if (result == StepResult::Done) continue;
        fwprintf(stderr, L"PhoneDriver: %ls %ls: %ls\n", verb, arg ? arg : L"(missing)",
                 result == StepResult::Failed ? L"failed" : L"not understood");
        return result == StepResult::Failed ? 1 : 2;
    }
    return 0;
}
