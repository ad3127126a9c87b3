// The lock agent around an install or a removal: a running agent holds
// Quelwatch.exe open, so the installer can neither replace nor delete it
// until the agent has ended; after an install the agent is started so the
// lock works without a restart.
#ifndef QUELLOR_SETUP_AGENT_LIFECYCLE_H
#define QUELLOR_SETUP_AGENT_LIFECYCLE_H

#include <windows.h>

// Starts <installDir>\Quelwatch.exe without waiting for it. False, and nothing
// started, for no folder, an empty one, one too long for a path, or a start
// that failed.
bool StartAgentIn(const WCHAR *installDir);

// Asks the agent the shared cell names to stop, as the settings program does,
// and waits at most kAgentStopWaitMs for its process to end. True when no agent
// runs any more (also when none ran); false when it still runs or its end
// cannot be watched.
bool StopRunningAgent();

#endif
