#include "agent_lifecycle.h"

#include "control_channel.h"
#include "platform_shell.h"
#include "setup_constants.h"

#include <cwchar>

namespace {

// Opened at the first look and kept while the installer has the DLL loaded,
// as the settings program keeps it for its run. The installer calls the
// entry points one after another on one thread.
AgentWindowCell *g_agentCell;

HWND RunningAgentWindow() {
    if (!g_agentCell) g_agentCell = OpenAgentWindowCell();
    HWND agent = AgentWindowOf(g_agentCell);
    // A killed agent leaves its window in the cell.
    return IsWindow(agent) ? agent : NULL;
}

// <dir>\Quelwatch.exe in path. The folder comes from the installer and is
// read no further than a path can be long.
bool AgentPathIn(const WCHAR *dir, WCHAR (&path)[MAX_PATH]) {
    if (!dir) return false;
    size_t length = 0;
    while (length < MAX_PATH && dir[length]) ++length;
    if (length == 0) return false;
    const bool separator = dir[length - 1] != L'\\';
    const size_t programLength = sizeof kAgentProgram / sizeof kAgentProgram[0];  // with its NUL
    if (length + separator + programLength > MAX_PATH) return false;
    wcsncpy(path, dir, length);
    if (separator) path[length++] = L'\\';
    wcscpy(path + length, kAgentProgram);
    return true;
}

}  // namespace

bool StartAgentIn(const WCHAR *installDir) {
    WCHAR path[MAX_PATH];
    PROCESS_INFORMATION started;
    if (!AgentPathIn(installDir, path) || !StartProgram(path, &started)) return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool StopRunningAgent() {
    HWND agent = RunningAgentWindow();
    if (!agent) return true;
    DWORD processId = 0;
    GetWindowThreadProcessId(agent, &processId);
    // Opened before the stop is asked for: an ended process's id may be given
    // to a new one, a handle stays with the process it was opened for.
    HANDLE process = processId ? OpenProcess(kProcessWaitAccess, FALSE, processId) : NULL;
    PostMessageW(agent, MSG_CONTROL, CMD_STOP, 0);
    // Without a handle the end cannot be watched; the window being gone
    // already says the agent has ended.
    if (!process) return !IsWindow(agent);
    const bool ended = WaitForSingleObject(process, kAgentStopWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}
