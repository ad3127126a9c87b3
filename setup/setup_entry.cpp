// QuelSetup.dll: what the phone's installer calls before and after it puts
// the package's files in place and before and after it removes them. The
// user's settings (HKCU\Software\Quellor) are never touched: a re-install
// keeps the password and the choices.
#include "agent_lifecycle.h"
#include "platform_shell.h"

extern "C" {

codeINSTALL_INIT Install_Init(HWND, BOOL, BOOL fPreviouslyInstalled, LPCTSTR) {
    // Installing over the package: its running agent would keep the old
    // Quelwatch.exe from being replaced. An agent that does not end stops
    // the install before anything is half replaced; the installer tells the user.
    if (fPreviouslyInstalled && !StopRunningAgent()) return codeINSTALL_INIT_CANCEL;
    return codeINSTALL_INIT_CONTINUE;
}

codeINSTALL_EXIT Install_Exit(HWND, LPCTSTR pszInstallDir, WORD, WORD, WORD, WORD, WORD) {
    // The lock works from now on, not only after the next restart. A start
    // that fails is no reason to take the package away again (UNINSTALL): the
    // files are in place, and the StartUp shortcut starts the agent at the
    // next restart.
    StartAgentIn(pszInstallDir);
    return codeINSTALL_EXIT_DONE;
}

codeUNINSTALL_INIT Uninstall_Init(HWND, LPCTSTR) {
    // An agent still running keeps its file from being deleted: the removal
    // is cancelled and the installer tells the user.
    return StopRunningAgent() ? codeUNINSTALL_INIT_CONTINUE : codeUNINSTALL_INIT_CANCEL;
}

codeUNINSTALL_EXIT Uninstall_Exit(HWND) {
    return codeUNINSTALL_EXIT_DONE;
}

}  // extern "C"
