// QuelSetup.dll called as the phone's installer calls it, with the real agent; none
// of its calls may touch the user's settings.
#include "control_channel.h"
#include "platform_shell.h"
#include "programs.h"
#include "scenario_test.h"
#include "settings_key.h"
#include "setup_constants.h"
#include "waits.h"

#include <functional>

using namespace harness;

namespace {

class SetupDll : public ScenarioTest {};

// The process of the agent the shared cell names, once it names a live window
// within timeoutMs; 0 otherwise.
DWORD PublishedAgent(DWORD timeoutMs) {
    static AgentWindowCell *cell = OpenAgentWindowCell();  // held, as Quelset holds it
    WaitUntil([&] { return ProcessOf(AgentWindowOf(cell)) != 0; }, timeoutMs);
    return ProcessOf(AgentWindowOf(cell));
}

TEST_F(SetupDll, StartsAndStopsTheAgentAndNothingElse) {
    HMODULE dll = LoadLibraryW(ProgramPath(L"QuelSetup.dll").c_str());
    ASSERT_NE(nullptr, dll) << "LoadLibrary failed, error " << GetLastError();
    // Through void (*)(): GetProcAddress's type says nothing of the call's.
    auto entry = [&](const char *name) { return (void (*)())GetProcAddress(dll, name); };
    auto installInit = reinterpret_cast<pfnINSTALL_INIT>(entry("Install_Init"));
    auto installExit = reinterpret_cast<pfnINSTALL_EXIT>(entry("Install_Exit"));
    auto uninstallInit = reinterpret_cast<pfnUNINSTALL_INIT>(entry("Uninstall_Init"));
    auto uninstallExit = reinterpret_cast<pfnUNINSTALL_EXIT>(entry("Uninstall_Exit"));
    ASSERT_TRUE(installInit && installExit && uninstallInit && uninstallExit);
    // The programs' folder, named as the installer names one.
    const std::wstring agentPath = ProgramPath(kAgentProgram);
    const std::wstring folder = agentPath.substr(0, agentPath.find_last_of(L'\\'));
    using Run = std::function<int()>;
    const Run installed = [&] { return installExit(nullptr, folder.c_str(), 0, 0, 0, 0, 0); };
    const Run reinstalling = [&] { return installInit(nullptr, TRUE, TRUE, folder.c_str()); };
    const Run removing = [&] { return uninstallInit(nullptr, folder.c_str()); };
    const Run removed = [&] { return uninstallExit(nullptr); };
    const struct {
        const char *call;
        const Run &run;
        int result;
        bool agentAfter;
    } road[] = {{"Install_Exit", installed, codeINSTALL_EXIT_DONE, true},
                {"Install_Init over it", reinstalling, codeINSTALL_INIT_CONTINUE, false},
                {"Install_Exit again", installed, codeINSTALL_EXIT_DONE, true},
                {"Uninstall_Init", removing, codeUNINSTALL_INIT_CONTINUE, false},
                {"Uninstall_Init, no agent", removing, codeUNINSTALL_INIT_CONTINUE, false},
                {"Uninstall_Exit", removed, codeUNINSTALL_EXIT_DONE, false}};
    ASSERT_TRUE(PutSettings(LOCK_SMS, L"1379"));
    RawValue flags, password, flagsAfter, passwordAfter;
    ASSERT_TRUE(ReadValue(kLockOptionValue, &flags) && ReadValue(kPasswordValue, &password));
    for (const auto &step : road) {
        const DWORD before = PublishedAgent(0), start = GetTickCount();
        EXPECT_EQ(step.result, step.run()) << step.call;
        // With no agent to stop there is nothing to wait for.
        EXPECT_TRUE(before || GetTickCount() - start < kAgentStopWaitMs) << step.call << " waited";
        EXPECT_TRUE(!step.agentAfter || PublishedAgent(kStartMs)) << step.call << ": no agent";
        EXPECT_TRUE(step.agentAfter || !before || WaitProcessEnds(before, 0)) << step.call;
    }
    EXPECT_TRUE(ReadValue(kLockOptionValue, &flagsAfter) && flagsAfter == flags);
    EXPECT_TRUE(ReadValue(kPasswordValue, &passwordAfter) && passwordAfter == password);

    DeleteSettingsKey();
    // Cut to fit a path, the long one would name the agent in the programs' folder.
    const std::wstring tooLong = folder + std::wstring(MAX_PATH, L'\\');
    const wchar_t *const badFolders[] = {nullptr, L"", tooLong.c_str(), L"C:\\windows"};
    for (const wchar_t *bad : badFolders) {
        EXPECT_EQ(codeINSTALL_EXIT_DONE, installExit(nullptr, bad, 0, 0, 0, 0, 0));
        // A started program's process exists by the time CreateProcess returns.
        EXPECT_FALSE(ProgramRuns(kAgentProgram)) << "started from " << (bad ? bad : L"null");
    }
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key))
        << "the settings key was made";
}

}  // namespace
