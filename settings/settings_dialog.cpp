#include "settings_dialog.h"

#include "about_dialog.h"
#include "layout_scale.h"
#include "module_instance.h"
#include "password_dialog.h"
#include "platform_shell.h"
#include "secret_wipe.h"
#include "settings_resource.h"
#include "soft_key_dialog.h"
#include "ui_text.h"

#include <cwchar>

const LockBox kLockBoxes[kLockBoxCount] = {
    {IDC_SETTINGS_CONTACTS, LOCK_CONTACTS},
    {IDC_SETTINGS_CALENDAR, LOCK_CALENDAR},
    {IDC_SETTINGS_CALL_HISTORY, LOCK_CALL_HISTORY},
    {IDC_SETTINGS_SMS, LOCK_SMS},
};

namespace {
DialogSlot g_settingsSlot;
}  // namespace

SettingsDialog::SettingsDialog()
    : dialog(NULL),
      menuBar(NULL),
      settings(new LockSettings),
      agentCell(NULL),
      agentRunning(false),
      modalOpen(false) {
    LoadSettings(*settings);
    ComputeLayoutScale();
}

SettingsDialog::~SettingsDialog() {
    delete settings;
}

HWND SettingsDialog::Agent() const {
    return AgentWindowOf(agentCell);
}

void SettingsDialog::ShowStatus(HWND window, UINT textId) {
    WCHAR text[kResStringChars];
    LoadResString(text, textId);
    SetDlgItemTextW(window, IDC_SETTINGS_STATUS, text);
}

BOOL SettingsDialog::OnInitDialog(HWND window) {
    menuBar = CreateSoftKeyBar(window, IDR_SETTINGS_BAR);
    // A second copy of the program finds this one by this title.
    WCHAR title[kResStringChars];
    if (LoadStringW(g_moduleInstance, IDS_SETTINGS_TITLE, title, kResStringChars) <= 0)
        title[0] = L'\0';
    SetWindowTextW(window, title);
    MakeFullScreen(window);
    for (int i = 0; i < kLockBoxCount; ++i) {
        const LockBox &box = kLockBoxes[i];
        WPARAM state = (settings->lockFlags & box.flag) ? BST_CHECKED : BST_UNCHECKED;
        SendDlgItemMessageW(window, box.id, BM_SETCHECK, state, 0);
    }
    agentCell = OpenAgentWindowCell();
    if (!agentCell) return FALSE;
    dialog = window;
    ShowStatus(window, IDS_AGENT_STOPPED);
    // The agent answers with MSG_CONTROL; until then it counts as stopped.
    if (HWND agent = Agent())
        PostMessageW(agent, MSG_CONTROL, CMD_QUERY, reinterpret_cast<LPARAM>(window));
    return TRUE;
}

void SettingsDialog::Exit(HWND window) {
    for (int i = 0; i < kLockBoxCount; ++i) {
        const LockBox &box = kLockBoxes[i];
        bool checked = SendDlgItemMessageW(window, box.id, BM_GETCHECK, 0, 0) != 0;
        settings->lockFlags = WithBox(settings->lockFlags, box, checked);
    }
    SaveSettings(*settings);
    if (HWND agent = Agent()) PostMessageW(agent, MSG_CONTROL, CMD_RELOAD, 0);
    // Not EndDialog: the modal run ends on the quit message.
    DestroyWindow(window);
    PostQuitMessage(0);
}

void SettingsDialog::ChangePassword(HWND window) {
    WCHAR buffer[kPasswordBufferChars] = {};
    wcsncpy(buffer, settings->password.c_str(), kPasswordBufferChars - 1);
    INT_PTR result;
    {
        ModalScope modal(modalOpen);
        result = RunPasswordDialog(window, buffer);
    }
    if (result == PASSWORD_CHANGED) {
        settings->password.Assign(buffer);
        // The lock flags are saved as they stand in memory; box changes reach
        // the registry only with "Выход".
        SaveSettings(*settings);
        if (HWND agent = Agent()) PostMessageW(agent, MSG_CONTROL, CMD_RELOAD, 0);
    }
    WipeSecret(buffer, sizeof buffer);
}

void SettingsDialog::StopAgent(HWND window) {
    HWND agent = Agent();
    if (!agent) return;
    PostMessageW(agent, MSG_CONTROL, CMD_STOP, 0);
    agentRunning = false;
    ShowStatus(window, IDS_AGENT_STOPPED);
}

BOOL SettingsDialog::OnCommand(HWND window, WORD id) {
    if (id != IDM_EXIT && id != IDM_ABOUT && id != IDM_SET_PASSWORD && id != IDM_STOP_AGENT)
        return FALSE;
    // While the change-password or About dialog is up the user cannot reach
    // these commands. One that arrives then was posted by someone else: it
    // would open a second dialog over the first, or end the program from
    // inside it.
    if (modalOpen) return TRUE;
    switch (id) {
    case IDM_EXIT:
        Exit(window);
        break;
    case IDM_ABOUT: {
        ModalScope modal(modalOpen);
        ShowAbout(window);
        break;
    }
    case IDM_SET_PASSWORD:
        ChangePassword(window);
        break;
    case IDM_STOP_AGENT:
        StopAgent(window);
        break;
    }
    return TRUE;
}

BOOL SettingsDialog::OnInitMenuPopup(HMENU popup, WORD buttonCommand) {
    if (buttonCommand != IDM_SETTINGS_MENU) return TRUE;
    // Only an agent that answered, and was not stopped since, can be stopped.
    UINT state = (agentRunning && Agent()) ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(popup, IDM_STOP_AGENT, MF_BYCOMMAND | state);
    return TRUE;
}

BOOL SettingsDialog::OnRaise(HWND window) {
    ShowWindow(window, SW_RESTORE);
    ShowWindow(window, SW_SHOW);
    if (modalOpen) {
        // Left with the change-password or About dialog up: that dialog (or
        // its box), not the disabled one under it, must have the keys again.
        ForegroundLastActivePopup(window);
    } else {
        SetForegroundWindow(window);
        SetActiveWindow(window);
    }
    ShowWindow(menuBar, SW_SHOW);
    return TRUE;
}

BOOL SettingsDialog::OnAgentAnswer(HWND window) {
    ShowStatus(window, IDS_AGENT_RUNNING);
    agentRunning = true;
    return TRUE;
}

INT_PTR CALLBACK SettingsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsDialog *object =
        static_cast<SettingsDialog *>(g_settingsSlot.Find(window, message, lParam));
    if (!object) return FALSE;  // before WM_INITDIALOG, or not the running dialog
    switch (message) {
    case WM_INITDIALOG:
        return object->OnInitDialog(window);
    case WM_SIZE:
        return TRUE;
    case WM_COMMAND:
        return object->OnCommand(window, LOWORD(wParam));
    case WM_INITMENUPOPUP:
        return object->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
    case MSG_RAISE:
        return object->OnRaise(window);
    case MSG_CONTROL:
        // Whatever it carries, a control message here is the agent's answer.
        return object->OnAgentAnswer(window);
    default:
        // WM_HOTKEY included: Back, overridden on the bar, does nothing here.
        return FALSE;
    }
}

void RunSettingsDialog(SettingsDialog &object) {
    // The run ends on the quit message "Выход" posts; there is no end code.
    RunModal(IDD_SETTINGS, NULL, SettingsDialogProc, g_settingsSlot, &object);
}
