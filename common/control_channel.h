// How the settings program reaches the running agent: one named cell of
// shared memory holding the agent's window handle, and posted messages.
#ifndef QUELLOR_COMMON_CONTROL_CHANNEL_H
#define QUELLOR_COMMON_CONTROL_CHANNEL_H

#include <windows.h>

// settings → agent: wParam = ControlCommand; agent → settings: CMD_RUNNING.
const UINT MSG_CONTROL = WM_USER + 200;
// A second settings program asks the first one's dialog to come forward.
const UINT MSG_RAISE = WM_USER + 100;

enum ControlCommand {
    CMD_RUNNING = 0,  // agent → settings: "I am here"
    CMD_QUERY = 1,    // lParam = the window to answer
    CMD_RELOAD = 2,   // reload the settings and the watch list
    CMD_STOP = 3      // end the agent
};

extern const WCHAR kAgentCellName[];  // "QuellorApp"

// Four bytes of named shared memory: the agent's prompt window as a 32-bit
// handle, 0 while no agent has published one. Window handles fit in 32 bits
// on 64-bit Windows too; they are truncated when stored and sign-extended
// when read, as the system does between 32- and 64-bit processes. The agent
// writes the word only through the interlocked functions; a reader takes it
// in one aligned 32-bit load.
struct AgentWindowCell {
    LONG handle32;
};

// Creates or opens the cell and maps it for the life of the process; null on failure.
AgentWindowCell *OpenAgentWindowCell();

void PublishAgentWindow(AgentWindowCell *cell, HWND window);
// The window the cell names; 0 when it names none or there is no cell.
HWND AgentWindowOf(const AgentWindowCell *cell);
// Clears the cell only if it still names window, so a newer agent's entry stays.
void WithdrawAgentWindow(AgentWindowCell *cell, HWND window);

#endif
