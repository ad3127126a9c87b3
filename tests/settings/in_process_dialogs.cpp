#include "in_process_dialogs.h"

#include "layout_scale.h"
#include "module_instance.h"

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

BoxAnswerer *g_answerer;

struct BoxSearch {
    HWND box = nullptr;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM lp) {
    // A message box is the dialog whose text control has the id 0xFFFF.
    if (IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
        reinterpret_cast<BoxSearch *>(lp)->box = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_answerer) return;
    BoxSearch search;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&search));
    if (!search.box) return;
    g_answerer->seen.push_back({TextOf(search.box), TextOf(GetDlgItem(search.box, 0xFFFF))});
    PostMessageW(search.box, WM_COMMAND, IDOK, 0);
}

UINT_PTR g_answerTimer;

}  // namespace

void PlayDuring(std::function<void()> script, const std::function<void()> &run) {
    g_script = std::move(script);
    SetTimer(nullptr, 0, 50, RunScript);
    run();
}

BoxAnswerer::BoxAnswerer() {
    g_answerer = this;
    g_answerTimer = SetTimer(nullptr, 0, 40, AnswerBoxes);
}

BoxAnswerer::~BoxAnswerer() {
    KillTimer(nullptr, g_answerTimer);
    g_answerer = nullptr;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

namespace {
struct TitleSearch {
    const wchar_t *title;
    HWND found;
};
BOOL CALLBACK MatchTitle(HWND window, LPARAM lp) {
    auto *search = reinterpret_cast<TitleSearch *>(lp);
    if (TextOf(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND FindThreadDialog(const wchar_t *title) {
    TitleSearch search = {title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DropQuitMessage() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
