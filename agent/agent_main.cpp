// Quelwatch, the lock agent: one background copy per device that hides the
// protected applications behind its password prompt.
#include "agent_constants.h"
#include "agent_context.h"
#include "module_instance.h"
#include "platform_shell.h"
#include "prompt_dialog.h"
#include "watcher.h"

namespace {

// S_OK when this process may run as the agent, or when it brought the running
// copy forward (activated). The running copy's prompt has no title, so the
// search never finds it: a second start sleeps through its tries and ends.
HRESULT SingleInstanceGuard(const WCHAR *name, BOOL *activated) {
    *activated = FALSE;
    for (int tries = kInstanceTries; tries > 0; --tries) {
        HANDLE mutex = CreateMutexW(NULL, FALSE, name);
        if (!mutex) return E_FAIL;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return S_OK;  // held until the process ends
        CloseHandle(mutex);

        HWND running = FindWindowW(kRunningAgentClass, kRunningAgentTitle);
        if (!running) {
            Sleep(kInstanceRetryMs);
            running = FindWindowW(kRunningAgentClass, kRunningAgentTitle);
        }
        if (running) {
            ForegroundLastActivePopup(running);
            *activated = TRUE;
            return S_OK;
        }
    }
    return E_FAIL;
}

int RunMessageLoop(const AgentContext &context) {
    MSG message = {};
    while (GetMessageW(&message, NULL, 0, 0) > 0) {
        if (IsDialogMessageW(context.prompt, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI QUELLOR_ENTRY_POINT(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    g_moduleInstance = instance;
    BOOL activated = FALSE;
    if (FAILED(SingleInstanceGuard(kAgentMutexName, &activated)) || activated) return 0;

    AgentContext context;
    // Without them the watcher could neither wait for an answer nor be told
    // to stop: it would end after its first lock, and locking would stop
    // without a sign. Nothing is started then.
    if (!UnlockEvent || !context.stopEvent) return kExitNoEvents;
    int exitCode = kExitNoPrompt;
    if (CreatePrompt(context)) {
        if (context.watcherThread) {
            HidePrompt(context);
            exitCode = RunMessageLoop(context);
        } else {
            // Nothing would ever be locked, and nothing would say so.
            DestroyPrompt(context);
            exitCode = kExitNoWatcher;
        }
    }
    // The context's list must outlive the watcher's last look at it.
    StopWatcher(context);
    JoinWatcher(context);
    return exitCode;
}
