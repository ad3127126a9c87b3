// The watcher thread: twice a second it looks at the foreground window, hides
// a protected application that has come to the front and hands it to the
// prompt, then waits until the prompt is answered.
#ifndef QUELLOR_AGENT_WATCHER_H
#define QUELLOR_AGENT_WATCHER_H

#include <windows.h>

class AgentContext;
struct WatchEntry;

// 1 when b is a, or a is reached by following GetParent from b; else 0.
int IsSameOrAncestor(HWND a, HWND b);

// One polling cycle against the given foreground window. False when the agent
// is stopping and the watcher must end.
bool WatchOnce(AgentContext &context, HWND foreground);

// The thread procedure; the parameter is the AgentContext.
DWORD WINAPI WatcherMain(LPVOID parameter);

// Starts the thread (user-interface thread, from the prompt's initialisation);
// false when it cannot be created.
bool StartWatcher(AgentContext &context);
// Tells the watcher to end, wherever it is: sleeping, polling or waiting.
void StopWatcher(AgentContext &context);
// Waits for the watcher to end, answering messages it sends meanwhile.
void JoinWatcher(AgentContext &context);

// Brings a hidden application and its soft-key bar back to the screen.
void RestoreApplication(HWND window, HWND softKeyBar);

#endif
