#include "foreign_messages.h"

#include "control_channel.h"
#include "mobileshell.h"
#include "window_search.h"
#include "winuserm.h"

#include <utility>

namespace harness {

MessageFuzzer::MessageFuzzer(uint32_t seed, std::vector<WORD> commands)
    : random_(seed), commands_(std::move(commands)) {}

ForeignMessage MessageFuzzer::Next() {
    // Keys a phone has, and some it has not.
    static const BYTE kKeys[] = {VK_TSOFT1, VK_TSOFT2, VK_TBACK, VK_RETURN, VK_TAB, VK_UP,
                                 VK_DOWN,   VK_SPACE,  VK_BACK,  '0',       '4',    '8'};
    const LPARAM any = static_cast<LPARAM>(static_cast<int32_t>(Word()));
    const uint32_t kind = Word() % 100;
    if (kind < 15) return {WM_USER + Word() % (WM_APP - WM_USER), Word(), any};
    if (kind < 25) return {WM_APP + Word() % 0x4000, Word(), any};
    if (kind < 35) return {WM_COMMAND, Word(), Word() % 2 ? any : 0};
    if (kind < 60) return {WM_COMMAND, commands_[Pick(commands_.size())], 0};
    if (kind < 68) {
        const WORD vk = Word() % 2 ? VK_TBACK : static_cast<WORD>(Word() % 256);
        return {WM_HOTKEY, Word() % 4, MAKELPARAM(Word() % 2 ? MOD_KEYUP : 0, vk)};
    }
    if (kind < 85) {
        static const UINT kKeyMessages[] = {WM_KEYDOWN, WM_KEYUP, WM_CHAR};
        const WPARAM vk = Word() % 4 ? kKeys[Pick(sizeof kKeys)] : Word() % 256;
        return {kKeyMessages[Pick(3)], vk, Word() % 2 ? 1 : any};
    }
    // The control channel's commands and some past them.
    if (kind < 90) return {MSG_CONTROL, Word() % 3 ? Word() % (2 * (CMD_STOP + 1)) : Word(), any};
    if (kind < 95) return {MSG_RAISE, Word(), any};
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

}  // namespace harness
