// Numbers and names the agent's parts agree on; each is named here once.
#ifndef QUELLOR_AGENT_AGENT_CONSTANTS_H
#define QUELLOR_AGENT_AGENT_CONSTANTS_H

#include <windows.h>

#include <cstddef>

// Watcher → prompt, never outside the agent: wParam = the application window
// just hidden, lParam = its WatchEntry. Shares its number with MSG_RAISE,
// which goes to another program's window.
const UINT MSG_LOCK_ENTRY = WM_USER + 100;

// How long a protected application may stay in front before it is hidden.
const DWORD kPollPeriodMs = 500;
// Pause between showing the prompt and the synthetic Back key.
const DWORD kBackKeyPauseMs = 100;

// Single instance: the mutex, and the window a second start looks for.
const WCHAR kAgentMutexName[] = L"Quelwatch";
const WCHAR kRunningAgentClass[] = L"Dialog";
const WCHAR kRunningAgentTitle[] = L"Quelwatch";
const int kInstanceTries = 5;
const DWORD kInstanceRetryMs = 500;

// Exit code when the prompt cannot be created and the agent cannot work.
const int kExitNoPrompt = 1;
// Exit code when UnlockEvent or the watcher's stop event cannot be created.
const int kExitNoEvents = 2;
// Exit code when the watcher thread cannot be created.
const int kExitNoWatcher = 3;

// Main-window classes of the protected applications.
const WCHAR kContactsClassCe5[] = L"MSContactsUI";  // Windows CE 5.x and non-CE hosts
const WCHAR kContactsClassOther[] = L"Contacts";    // Windows CE 4.x and 6 on
const WCHAR kCalendarClass[] = L"Calendar";
const WCHAR kCallHistoryClass[] = L"MSClog";
const WCHAR kSmsInboxClass[] = L"Inbox.MainWnd";

// One entry per LockFlags bit 1, 2, 4, 8.
const std::size_t kMaxWatchEntries = 4;

// dwPlatformId of Windows CE (not named by the desktop headers).
const DWORD kPlatformWindowsCe = 3;

#endif
