// What another process may post to a program's dialogs: private messages,
// the programs' own control and raise messages, commands (random and the
// program's own), hot keys, keys, sizes. Seeded, so a failure can be played
// again.
#ifndef QUELLOR_TESTS_SUPPORT_FOREIGN_MESSAGES_H
#define QUELLOR_TESTS_SUPPORT_FOREIGN_MESSAGES_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace harness {

struct ForeignMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageFuzzer {
public:
    MessageFuzzer(uint32_t seed, std::vector<WORD> commands);
    ForeignMessage Next();
    size_t Pick(size_t count) { return random_() % count; }

private:
    uint32_t Word() { return static_cast<uint32_t>(random_()); }
    std::mt19937 random_;
    std::vector<WORD> commands_;
};

struct FuzzFigures {
    int posted = 0;
    DWORD ms = 0;
};
// Posts count messages from fuzzer, one at a time, each to one of the dialogs
// of process pid chosen at random, leaving out those allowed refuses; sample
// runs after every message. Stops early when the process has no dialog left.
FuzzFigures PostForeignMessages(DWORD pid, MessageFuzzer &fuzzer, int count,
                                const std::function<bool(HWND, const ForeignMessage &)> &allowed,
                                const std::function<void()> &sample);

}  // namespace harness

#endif
