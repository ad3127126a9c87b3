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
//                  Back Soft1 Soft2 Space, or a digit
//   press NAME     the same, then until the screen has changed and the
//                  window in front has painted: for a key that shows something
//   shows TEXT     until a control of the window in front reads a text that
//                  holds TEXT, and the window has painted
//   back           until another program presses Back (the agent does, a
//                  moment after its prompt shows; a digit typed before is lost)
//   stays CLASS    the window of CLASS in front is still there after one of
//                  the watcher's looks (its poll period and the busy margin)
//   timeout MS     how long later waits may take (10000 at the start)
//
// With a back step in the script, it prints "listening" once it counts
// Back presses, for a caller that must not press the key leading there before.
// Exit code 0 when every step succeeded, 1 at the first that failed, 2 on a
// malformed script.
#include "keys.h"
#include "programs.h"
#include "screen.h"
#include "waits.h"
#include "window_search.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <memory>

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
    if (name[0] < L'0' || name[0] > L'9' || name[1]) return false;
    *vk = static_cast<BYTE>(name[0]);
    return true;
}

bool ForegroundIs(const wchar_t *cls, bool owned) {
    HWND front = GetForegroundWindow();
    if (!front) return false;
    HWND root = GetAncestor(front, GA_ROOT);
    return ClassName(root) == cls && IsWindowVisible(front) &&
           (GetWindow(root, GW_OWNER) != nullptr) == owned;
}

// The window in front, and the pop-up menu its program has open, have painted.
bool FrontPainted() {
    HWND front = GetAncestor(GetForegroundWindow(), GA_ROOT);
    HWND popup = OpenPopupMenu(ProcessOf(front));
    return WaitPainted(front, g_timeoutMs) && (!popup || WaitPainted(popup, g_timeoutMs));
}

bool WaitInFront(const wchar_t *cls, bool owned) {
    return WaitUntil([&] { return ForegroundIs(cls, owned); }, g_timeoutMs, 50) && FrontPainted();
}

bool PressAndSee(BYTE vk) {
    const std::vector<DWORD> before = ScreenPixels().rgb;
    PressKey(vk);
    return WaitUntil([&] { return ScreenPixels().rgb != before; }, g_timeoutMs, 50) &&
           FrontPainted();
}

bool Shows(const wchar_t *text) {
    auto found = [&] {
        HWND front = GetForegroundWindow();
        for (HWND c = GetWindow(front, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (WindowText(c).find(text) != std::wstring::npos) return true;
        return false;
    };
    return WaitUntil(found, g_timeoutMs, 50) && FrontPainted();
}

// The watcher would have hidden it by now.
bool StaysInFront(const wchar_t *cls) {
    return !WaitUntil([&] { return !ForegroundIs(cls, false); }, kLockWithinMs, 50);
}

enum class StepResult { Done, Failed, Malformed };

StepResult Outcome(bool done) {
    return done ? StepResult::Done : StepResult::Failed;
}

StepResult RunStep(const wchar_t *verb, const wchar_t *arg) {
    DWORD number = 0;
    BYTE vk = 0;
    if (wcscmp(verb, L"wait") == 0 || wcscmp(verb, L"dialog") == 0)
        return Outcome(WaitInFront(arg, verb[0] == L'd'));
    if (wcscmp(verb, L"stays") == 0) return Outcome(StaysInFront(arg));
    if (wcscmp(verb, L"shows") == 0) return Outcome(Shows(arg));
    if (wcscmp(verb, L"key") == 0 || wcscmp(verb, L"press") == 0) {
        if (!KeyCode(arg, &vk)) return StepResult::Malformed;
        if (verb[0] == L'p') return Outcome(PressAndSee(vk));
        PressKey(vk);
        return StepResult::Done;
    }
    if (wcscmp(verb, L"timeout") == 0) {
        if (!ParseNumber(arg, &number)) return StepResult::Malformed;
        g_timeoutMs = number;
        return StepResult::Done;
    }
    return StepResult::Malformed;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    std::unique_ptr<OthersBackPresses> backs;
    for (int i = 1; i < argc && !backs; ++i)
        if (wcscmp(argv[i], L"back") == 0) backs.reset(new OthersBackPresses);
    if (backs) {
        std::printf("listening\n");
        std::fflush(stdout);
    }
    for (int i = 1; i < argc; i += 2) {
        const wchar_t *verb = argv[i];
        const wchar_t *arg = i + 1 < argc ? argv[i + 1] : nullptr;
        StepResult result;
        if (wcscmp(verb, L"back") == 0) {
            result = Outcome(backs->WaitNext(g_timeoutMs));
            arg = L"";
            --i;  // a step of one word
        } else {
            result = arg ? RunStep(verb, arg) : StepResult::Malformed;
        }
        if (result == StepResult::Done) continue;
        fwprintf(stderr, L"PhoneDriver: %ls %ls: %ls\n", verb, arg ? arg : L"(missing)",
                 result == StepResult::Failed ? L"failed" : L"not understood");
        PrintWindowOrder();
        return result == StepResult::Failed ? 1 : 2;
    }
    return 0;
}
