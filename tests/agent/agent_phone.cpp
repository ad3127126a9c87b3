#include "agent_phone.h"

#include "control_channel.h"
#include "lock_settings.h"

namespace agent_phone {

using scenario::WaitUntil;

void WriteSettings(uint32_t lockFlags, const wchar_t *password) {
    LockSettings settings;
    settings.lockFlags = lockFlags;
    settings.password.Assign(password);
    SaveSettings(settings);
}

std::wstring StoredPassword() {
    LockSettings settings;
    LoadSettings(settings);
    return settings.password.c_str();
}

HWND CellContent() {
    // Held for the whole test run, as the settings program holds it.
    static AgentWindowCell *cell = OpenAgentWindowCell();
    return AgentWindowOf(cell);
}

HWND PublishedPrompt() {
    HWND prompt = CellContent();
    return IsWindow(prompt) ? prompt : nullptr;
}

HWND PasswordField(HWND prompt) {
    return GetDlgItem(prompt, 1000);
}

std::wstring FieldText(HWND field) {
    return scenario::WindowText(field);
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindowVisible(window); }, timeoutMs, 5);
}

bool WaitShown(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, timeoutMs);
}

bool StaysShown(HWND window, DWORD forMs) {
    return !WaitUntil([&] { return !IsWindowVisible(window); }, forMs);
}

HWND WaitForWarning(std::wstring *text, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindWindowW(L"#32770", L"Предупреждение");
            return box && IsWindowVisible(box);
        },
        timeoutMs);
    if (box && text) *text = scenario::WindowText(GetDlgItem(box, 0xFFFF));
    return box;
}

bool WaitProcessOfWindowEnds(DWORD pid, DWORD timeoutMs) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;  // already gone
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

void AnswerPrompt(const wchar_t *digits) {
    scenario::TypeDigits(digits);
    scenario::PressKey(VK_F1);
}

std::wstring ProgramString(const wchar_t *exeName, UINT id) {
    HMODULE module =
        LoadLibraryExW(scenario::ProgramPath(exeName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t text[256] = {};
    if (module) {
        LoadStringW(module, id, text, 256);
        FreeLibrary(module);
    }
    return text;
}

}  // namespace agent_phone
