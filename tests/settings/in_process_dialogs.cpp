#include "in_process_dialogs.h"

#include "layout_scale.h"
#include "module_instance.h"
#include "window_search.h"

#include <gtest/gtest.h>

#include <utility>

void UseProgramResources() {
    g_moduleInstance = GetModuleHandleW(nullptr);
    ComputeLayoutScale();
}

namespace {

std::function<void()> g_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> script = std::move(g_script);
    g_script = nullptr;
    if (script) script();
}

}  // namespace

void PlayInDialog(const wchar_t *title, HWND *dialog, std::function<void()> script,
                  const std::function<void()> &run) {
    g_script = [title, dialog, script] {
        *dialog = harness::AnyWindowOfProcess(GetCurrentProcessId(), harness::kDialogClass, title);
        if (!*dialog) {
            ADD_FAILURE() << "the dialog did not come up: " << testing::PrintToString(title);
            return;
        }
        script();
    };
    SetTimer(nullptr, 0, 50, RunScript);
    run();
}
