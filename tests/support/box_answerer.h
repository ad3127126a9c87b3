// Answers the message boxes a thread of this process puts up, the way a user
// presses OK, from a thread of its own: for tests that run a program's
// dialogs in process, where the box holds the test's thread in its loop. A
// box is a dialog with a message box's text control that the thread opens
// after the answerer started: a program's own dialog may carry a label with
// the same id (-1), but it was there before.
#ifndef QUELLOR_TESTS_SUPPORT_BOX_ANSWERER_H
#define QUELLOR_TESTS_SUPPORT_BOX_ANSWERER_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace harness {

// A message box as it came up.
struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

class BoxAnswerer {
public:
    // Watches the boxes of thread (this one by default); meanwhile, when
    // given, runs on the answering thread while each box is up, before OK.
    explicit BoxAnswerer(DWORD thread = GetCurrentThreadId(),
                         std::function<void(HWND box)> meanwhile = nullptr);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer &) = delete;
    BoxAnswerer &operator=(const BoxAnswerer &) = delete;

    // Every box answered so far, in order.
    std::vector<SeenBox> Seen();

private:
    void Watch();

    DWORD thread_;
    std::function<void(HWND)> meanwhile_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::set<HWND> known_;  // there before, or answered

    std::thread watcher_;
};

}  // namespace harness

#endif
