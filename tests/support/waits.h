// Waiting for what a busy machine delays. Every wait polls its condition
// until it holds or its time is up; the times are the agent's own periods
// plus the margin a loaded machine needs, never a guess of their own.
#ifndef QUELLOR_TESTS_SUPPORT_WAITS_H
#define QUELLOR_TESTS_SUPPORT_WAITS_H

#include "agent_constants.h"
#include "window_order_differences.h"

#include <windows.h>

#include <functional>

namespace harness {

// What a busy machine adds to any of the agent's periods. A program that
// gives no sign of having taken a key or a message shows what it does with
// it within this margin: the one pause of a "nothing happens" check.
const DWORD kBusyMarginMs = 1500;
// A window coming up, coming forward or going away; a key taking effect.
const DWORD kScreenMs = 5000;
// A program starting and showing its first window.
const DWORD kStartMs = 10000;
// One look of the watcher: it hides an application in front within its poll
// period and the margin, and what it has not done by then, it does not do.
const DWORD kLockWithinMs = kPollPeriodMs + kBusyMarginMs;
// What the stand-in shell's ticks have not put right on the screen by then,
// they do not.
const DWORD kShellTicksOverMs = mobileshell::kTickScheduleMs + kBusyMarginMs;
// The watcher presses Back this long after its prompt shows, at the latest.
const DWORD kBackPressWithinMs = kBackKeyPauseMs + kBusyMarginMs;

// Polls cond every stepMs until it holds or timeoutMs has passed.
template <class Cond>
bool WaitUntil(Cond cond, DWORD timeoutMs, DWORD stepMs = 20) {
    DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) return cond();
        Sleep(stepMs);
    }
}

// Runs this thread's messages until done holds or ms have passed.
bool PumpUntil(const std::function<bool()> &done, DWORD ms);
// Runs this thread's messages for ms.
void Pump(DWORD ms);
// Runs this thread's messages until its queue is empty, those they post in
// turn too: what was posted to this thread's windows has then been handled.
void Flush();
// Drops the quit message that ending a main dialog or message loop leaves in
// the queue, so the test's next modal loop does not end at once.
void DropQuitMessages();

}  // namespace harness

#endif
