#include "control_channel.h"

const WCHAR kAgentCellName[] = L"QuellorApp";

AgentWindowCell *OpenAgentWindowCell() {
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                        sizeof(AgentWindowCell), kAgentCellName);
    if (!section) return NULL;
    void *view = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, 0);
    if (!view) {
        CloseHandle(section);
        return NULL;
    }
    // Section and view stay open until the process ends: the cell lives as
    // long as any program holds it.
    return static_cast<AgentWindowCell *>(view);
}

namespace {
LONG Handle32(HWND window) {
    return static_cast<LONG>(reinterpret_cast<LONG_PTR>(window));
}
}  // namespace

void PublishAgentWindow(AgentWindowCell *cell, HWND window) {
    if (cell) InterlockedExchange(&cell->handle32, Handle32(window));
}

HWND AgentWindowOf(const AgentWindowCell *cell) {
    if (!cell) return NULL;
    // Another process may replace the word at any moment: read it once, as it is now.
    const volatile LONG &handle32 = cell->handle32;
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle32));
}

void WithdrawAgentWindow(AgentWindowCell *cell, HWND window) {
    if (cell) InterlockedCompareExchange(&cell->handle32, 0, Handle32(window));
}
