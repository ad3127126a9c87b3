// Numbers and names of the setup DLL; each is named here once.
#ifndef QUELLOR_SETUP_SETUP_CONSTANTS_H
#define QUELLOR_SETUP_SETUP_CONSTANTS_H

#include <windows.h>

// The agent's program, in the folder the package installs to.
const WCHAR kAgentProgram[] = L"Quelwatch.exe";

// How long the installer waits for a stopped agent to end. The agent ends at
// once (its watcher wakes on the stop); one that outlives this wait is stuck,
// and the installer tells the user rather than waiting on.
const DWORD kAgentStopWaitMs = 5000;

#endif
