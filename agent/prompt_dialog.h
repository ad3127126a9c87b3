// The password prompt: the agent's only window, a modeless dialog kept hidden
// until the watcher hands it a locked application. It is also the agent's end
// of the control channel, and its initialisation starts the rest of the agent.
#ifndef QUELLOR_AGENT_PROMPT_DIALOG_H
#define QUELLOR_AGENT_PROMPT_DIALOG_H

#include <windows.h>

class AgentContext;

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the prompt from its template with context as the creation parameter
// and records it in context.prompt; 0 when it cannot be created. Its
// initialisation starts the watcher (context.watcherThread stays 0 when the
// thread cannot be created), publishes the agent and builds the list.
HWND CreatePrompt(AgentContext &context);

// Ends the prompt, and with it the watcher and the agent's entry in the cell.
// The only way the prompt ends: a WM_DESTROY from anyone else changes nothing.
void DestroyPrompt(AgentContext &context);

// Full screen, topmost, focus in the password field.
void ShowPrompt(AgentContext &context);
void HidePrompt(AgentContext &context);

#endif
