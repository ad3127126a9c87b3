#include "agent_context.h"

const HANDLE UnlockEvent = CreateEventW(NULL, FALSE, FALSE, NULL);

AgentContext::AgentContext()
    : promptBar(NULL),
      watcherThreadId(0),
      watcherThread(NULL),
      cell(NULL),
      currentEntry(NULL),
      warningOpen(false),
      destroyingPrompt(false),
      prompt(NULL),
      stopEvent(CreateEventW(NULL, TRUE, FALSE, NULL)),
      pendingLock(NULL) {}

AgentContext::~AgentContext() {
    if (stopEvent) CloseHandle(stopEvent);
}
