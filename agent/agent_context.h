// The agent's shared state: one context per process, owned by the entry
// point, shared by the user-interface thread and the watcher thread.
//
// The user-interface thread runs the entry point, the prompt and every
// rebuild of the list; the watcher thread walks the published copy of the
// list. They hand state over only through what each declaration below (and
// those in watch_list.h) names: the interlocked functions, the sent
// MSG_LOCK_ENTRY (the watcher is blocked in SendMessageW while the prompt
// handles it), UnlockEvent, and CreateThread for what exists before the
// watcher starts. The user-interface thread never waits for the watcher.
#ifndef QUELLOR_AGENT_AGENT_CONTEXT_H
#define QUELLOR_AGENT_AGENT_CONTEXT_H

#include "control_channel.h"
#include "lock_settings.h"
#include "watch_list.h"

#include <windows.h>

// Auto-reset; the prompt sets it when it is answered, the watcher waits on it.
// Created before either thread runs and never closed.
extern const HANDLE UnlockEvent;

class AgentContext {
public:
    // ---- The user-interface thread's alone -----------------------------------
    HWND promptBar;
    LockSettings settings;
    DWORD watcherThreadId;
    HANDLE watcherThread;
    AgentWindowCell *cell;
    WatchEntry *currentEntry;  // the entry the prompt is shown for
    bool warningOpen;          // the wrong-password box is up
    bool destroyingPrompt;     // DestroyPrompt is ending the prompt

    // ---- Shared ---------------------------------------------------------------
    // The prompt: written once, by CreatePrompt when the dialog's creation
    // returns, with an interlocked exchange; the watcher, started during that
    // creation, reads it with an interlocked read before it sends to it.
    HWND prompt;
    // Manual reset, set once the prompt is gone: created with the context,
    // before the watcher starts, which waits on it; closed with the context,
    // after the watcher has ended.
    HANDLE stopEvent;
    // The entry the watcher is handing to the prompt right now. A lock request
    // that does not name it is not the watcher's and is refused. The watcher
    // announces it and withdraws it around its SendMessageW with interlocked
    // exchanges; the prompt uses it up with an interlocked compare-exchange.
    WatchEntry *pendingLock;
    // The list and its published copy; watch_list.h says who touches what.
    WatchListState watch;

    AgentContext();
    // The watcher must have ended; the list then shows its applications again.
    virtual ~AgentContext();

private:
    AgentContext(const AgentContext &);
    AgentContext &operator=(const AgentContext &);
};

#endif
