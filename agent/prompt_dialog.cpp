#include "prompt_dialog.h"

#include "agent_context.h"
#include "agent_resource.h"
#include "dialog_slot.h"
#include "module_instance.h"
#include "platform_shell.h"
#include "secret_wipe.h"
#include "soft_key_dialog.h"
#include "ui_text.h"
#include "watcher.h"

namespace {

// The one prompt's context, from its creation until WM_DESTROY.
DialogSlot g_promptSlot;

HWND PasswordField(const AgentContext &context) {
    return GetDlgItem(context.prompt, IDC_PROMPT_PASSWORD);
}

void ClearPasswordField(const AgentContext &context) {
    SetDlgItemTextW(context.prompt, IDC_PROMPT_PASSWORD, L"");
}

// The context's prompt field is still 0 here (the creator fills it in once
// creation returns), so the WM_SIZE of the full-screen sizing lays nothing
// out: the first showing's WM_SIZE does.
BOOL OnInitDialog(HWND dialog, AgentContext &context) {
    context.promptBar = CreateSoftKeyBar(dialog, IDR_PROMPT_SOFTKEYS);
    MakeFullScreen(dialog);
    // Without the watcher nothing would ever be locked: nothing is published
    // then, and the creator ends the agent.
    if (!StartWatcher(context)) return FALSE;
    context.cell = OpenAgentWindowCell();
    if (!context.cell) return FALSE;  // no settings program can reach us; lock nothing
    PublishAgentWindow(context.cell, dialog);
    RebuildWatchList(context.settings, context.watch);
    // The keypad types digits into the field.
    SendDlgItemMessageW(dialog, IDC_PROMPT_PASSWORD, EM_SETINPUTMODE, 0, IM_NUMBERS);
    return TRUE;
}

// Only the agent's own DestroyPrompt ends the prompt. Any process can post
// WM_DESTROY or WM_NCDESTROY to it; taken, they would stop the watcher and
// withdraw the agent from the cell while the prompt stays, leaving an agent
// that locks nothing and that the settings program can no longer reach.
void OnDestroy(AgentContext &context, HWND dialog) {
    if (!context.destroyingPrompt) return;
    StopWatcher(context);
    // Windows may give this handle to another window later: the settings
    // program must not keep posting to it.
    WithdrawAgentWindow(context.cell, dialog);
    g_promptSlot.Close();
}

// Keeps the control's top, height and left margin and gives it the same
// margin on the right.
void StretchToMargins(HWND dialog, HWND control, int width) {
    RECT rect;
    GetWindowRect(control, &rect);
    POINT topLeft = {rect.left, rect.top};
    ScreenToClient(dialog, &topLeft);
    MoveWindow(control, topLeft.x, topLeft.y, width - 2 * topLeft.x, rect.bottom - rect.top, TRUE);
}

// The field spans the screen; the buttons give way to the soft keys.
void OnSize(const AgentContext &context, int width, int height) {
    if (!width || !height) return;
    HWND field = PasswordField(context);
    if (!field) return;  // during initialisation: the prompt is not known yet
    StretchToMargins(context.prompt, field, width);
    ShowWindow(GetDlgItem(context.prompt, IDM_PROMPT_DONE), SW_HIDE);
    ShowWindow(GetDlgItem(context.prompt, IDM_PROMPT_CANCEL), SW_HIDE);
}

// The prompt is answered, or no longer needed: the watcher goes on, the
// prompt leaves the screen.
void ReleaseWatcherAndHide(AgentContext &context) {
    SetEvent(UnlockEvent);
    HidePrompt(context);
    ClearPasswordField(context);
}

// A rebuild that drops the entry the prompt is shown for has already shown
// that application again: the prompt goes away and releases the watcher.
void LetGoOfDroppedEntry(AgentContext &context) {
    if (!context.currentEntry || WatchListHolds(context.watch.list, context.currentEntry)) return;
    context.currentEntry = NULL;
    ReleaseWatcherAndHide(context);
}

void OnDone(AgentContext &context) {
    WCHAR typed[kPasswordBufferChars] = {};
    GetDlgItemTextW(context.prompt, IDC_PROMPT_PASSWORD, typed, kPasswordBufferChars);
    const bool match = SameText(typed, context.settings.password.c_str());
    WipeSecret(typed, sizeof typed);
    // Without an application behind the prompt nobody is at it (the prompt
    // is hidden then): a wrong password warns no one, and a box would only
    // come up in front of whatever the user is doing.
    if (!match && context.currentEntry) {
        {
            ModalScope warning(context.warningOpen);
            ShowMessageBox(context.prompt, IDS_PROMPT_WRONG_PASSWORD, IDS_PROMPT_WARNING,
                           MB_ICONEXCLAMATION);
        }
        ClearPasswordField(context);
        // A reload while the box was up may have dropped the entry.
        LetGoOfDroppedEntry(context);
        return;
    }
    if (WatchEntry *entry = context.currentEntry) {
        RestoreApplication(entry->window, entry->softKeyBar);
        entry->armed = 0;
        context.currentEntry = NULL;
    }
    ReleaseWatcherAndHide(context);
}

// The application is asked to close; its entry stays armed. The field is
// emptied too, so nothing typed waits there for the next person.
void OnCancel(AgentContext &context) {
    if (WatchEntry *entry = context.currentEntry) {
        PostMessageW(entry->window, WM_CLOSE, 0, 0);
        context.currentEntry = NULL;
    }
    ReleaseWatcherAndHide(context);
}

BOOL OnCommand(AgentContext &context, WORD id) {
    // While the warning box is up the user answers the box. A "Готово" or
    // "Отмена" that reaches the prompt meanwhile was posted by someone else:
    // it would stack a second box on the first, or take the prompt away
    // (hiding the box with it, still holding the prompt disabled).
    if ((id == IDM_PROMPT_DONE || id == IDM_PROMPT_CANCEL) && context.warningOpen) return TRUE;
    switch (id) {
    case IDM_PROMPT_DONE:
        OnDone(context);
        return TRUE;
    case IDM_PROMPT_CANCEL:
        OnCancel(context);
        return TRUE;
    default:
        return FALSE;
    }
}

// Any process can post this message number to us, so lParam is not trusted:
// it is taken only when it is the entry the watcher announced (the announcement
// is used up here) and that entry is still in the list. Only then is it read.
LRESULT OnLockEntry(AgentContext &context, LPARAM lParam) {
    WatchEntry *entry = reinterpret_cast<WatchEntry *>(lParam);
    WatchEntry *none = NULL;
    if (!entry || CompareExchangeShared(&context.pendingLock, none, entry) != entry) return FALSE;
    if (!WatchListHolds(context.watch.list, entry)) return FALSE;
    // No answer given before this lock may release the watcher's wait for it.
    ResetEvent(UnlockEvent);
    context.currentEntry = entry;
    ShowPrompt(context);
    return TRUE;
}

// With the warning box up the prompt stays until the box is closed (hiding
// the prompt would hide the box and leave it holding the prompt disabled);
// the watcher stays behind it until then, so no other lock comes meanwhile.
void OnReload(AgentContext &context) {
    RebuildWatchList(context.settings, context.watch);
    if (!context.warningOpen) LetGoOfDroppedEntry(context);
}

void OnControl(AgentContext &context, WPARAM command, LPARAM lParam) {
    switch (command) {
    case CMD_QUERY: {
        // Any process can post this: answer a window, never HWND_BROADCAST
        // or (for 0) our own thread's queue.
        HWND asker = reinterpret_cast<HWND>(lParam);
        if (IsWindow(asker)) PostMessageW(asker, MSG_CONTROL, CMD_RUNNING, 0);
        break;
    }
    case CMD_RELOAD:
        OnReload(context);
        break;
    case CMD_STOP:
        DestroyPrompt(context);  // its WM_DESTROY stops the watcher
        PostQuitMessage(0);
        break;
    default:
        break;
    }
}

}  // namespace

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AgentContext *found = static_cast<AgentContext *>(g_promptSlot.Find(dialog, message, lParam));
    if (!found) return FALSE;  // before WM_INITDIALOG, after WM_DESTROY, or another window
    AgentContext &context = *found;
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, context);
    case WM_DESTROY:
        OnDestroy(context, dialog);
        return TRUE;
    case WM_NCDESTROY:
        // The real one comes after WM_DESTROY has closed the slot, and so
        // never reaches here: this one was posted. Taken by the dialog
        // manager, it would free the dialog's font and state.
        return TRUE;
    case WM_SIZE:
        OnSize(context, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETDLGCODE:
        return SetDialogResult(dialog, DLGC_WANTALLKEYS);
    case WM_COMMAND:
        return OnCommand(context, LOWORD(wParam));
    case WM_HOTKEY:
        ForwardBackKey(wParam, lParam);  // Back erases in the field instead of closing
        return TRUE;
    case MSG_LOCK_ENTRY:
        return SetDialogResult(dialog, OnLockEntry(context, lParam));
    case MSG_CONTROL:
        OnControl(context, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

HWND CreatePrompt(AgentContext &context) {
    LPCDLGTEMPLATE dialogTemplate = LoadDialogTemplate(IDD_PROMPT);
    if (!dialogTemplate || !g_promptSlot.Open(&context)) return NULL;  // one prompt per process
    HWND prompt = CreateDialogIndirectParamW(g_moduleInstance, dialogTemplate, NULL, PromptProc,
                                             reinterpret_cast<LPARAM>(&context));
    if (!prompt) {
        g_promptSlot.Close();
        return NULL;
    }
    // The watcher, already running, reads it from its first poll on.
    ExchangeShared(&context.prompt, prompt);
    return prompt;
}

void DestroyPrompt(AgentContext &context) {
    context.destroyingPrompt = true;
    DestroyWindow(context.prompt);
}

void ShowPrompt(AgentContext &context) {
    ShowWindow(context.prompt, SW_RESTORE);
    ShowWindow(context.prompt, SW_SHOW);
    SetWindowPos(context.prompt, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ShowWindow(context.promptBar, SW_SHOW);
    SetForegroundWindow(context.promptBar);
    SetActiveWindow(context.promptBar);
    SetForegroundWindow(context.prompt);
    SetActiveWindow(context.prompt);
    SetFocus(PasswordField(context));
}

void HidePrompt(AgentContext &context) {
    SetWindowPos(context.prompt, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ShowWindow(context.prompt, SW_MINIMIZE);
    ShowWindow(context.prompt, SW_HIDE);
    ShowWindow(context.promptBar, SW_HIDE);
}
