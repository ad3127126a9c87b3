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

// The script waits on the screen's time, not the loop's: Wine's modal loop
// shows its dialog only once the queue is empty, so a timer may fire while
// the dialog is still hidden; the script then waits for a later tick.
const UINT kTickMs = 20;

struct PendingScript {
    const wchar_t *title = nullptr;
    HWND *dialog = nullptr;
    std::function<void()> script;
    DWORD started = 0;
};
PendingScript g_pending;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_pending.script) {
        KillTimer(nullptr, id);
        return;
    }
    HWND dialog = harness::ShownWindowOfProcess(GetCurrentProcessId(), harness::kDialogClass,
                                                g_pending.title);
    if (!dialog && GetTickCount() - g_pending.started < harness::kScreenMs) return;
    KillTimer(nullptr, id);
    std::function<void()> script = std::move(g_pending.script);
    g_pending.script = nullptr;
    *g_pending.dialog = dialog;
    if (!dialog) {
        ADD_FAILURE() << "the dialog did not come up: " << testing::PrintToString(g_pending.title);
        return;
    }
    script();
}

}  // namespace

void PlayInDialog(const wchar_t *title, HWND *dialog, std::function<void()> script,
                  const std::function<void()> &run) {
    g_pending.title = title;
    g_pending.dialog = dialog;
    g_pending.script = std::move(script);
    g_pending.started = GetTickCount();
    SetTimer(nullptr, 0, kTickMs, RunScript);
    run();
}
