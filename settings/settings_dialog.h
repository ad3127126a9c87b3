// The settings program's main dialog: four boxes choose what the agent locks,
// a status line tells whether the agent answered, "Выход" saves and ends the
// program, and the "Настройки" menu changes the password, stops the agent and
// shows the About box.
#ifndef QUELLOR_SETTINGS_SETTINGS_DIALOG_H
#define QUELLOR_SETTINGS_SETTINGS_DIALOG_H

#include "control_channel.h"
#include "lock_settings.h"

#include <windows.h>

// Which lock flag each check box stands for, in the order boxes are set and read.
struct LockBox {
    int id;
    DWORD flag;
};
const int kLockBoxCount = 4;
extern const LockBox kLockBoxes[kLockBoxCount];

// flags with box's flag set when checked and cleared otherwise; other bits stay.
inline DWORD WithBox(DWORD flags, const LockBox &box, bool checked) {
    return checked ? (flags | box.flag) : (flags & ~box.flag);
}

class SettingsDialog {
public:
    // Loads the settings and computes the layout scale.
    SettingsDialog();
    virtual ~SettingsDialog();

    HWND dialog;  // set once the agent cell is open
    HWND menuBar;
    LockSettings *settings;
    AgentWindowCell *agentCell;  // null when the cell could not be opened
    bool agentRunning;
    bool modalOpen;  // its change-password or About dialog is up

    // Each handler gets the dialog window from the procedure: without the
    // agent cell the dialog field stays 0, and the commands still work.
    BOOL OnInitDialog(HWND window);
    BOOL OnCommand(HWND window, WORD id);
    BOOL OnInitMenuPopup(HMENU popup, WORD buttonCommand);
    BOOL OnRaise(HWND window);
    BOOL OnAgentAnswer(HWND window);

private:
    SettingsDialog(const SettingsDialog &);
    SettingsDialog &operator=(const SettingsDialog &);

    // The agent's window from the cell, read afresh; 0 when there is none.
    HWND Agent() const;
    void ShowStatus(HWND window, UINT textId);
    void Exit(HWND window);
    void ChangePassword(HWND window);
    void StopAgent(HWND window);
};

INT_PTR CALLBACK SettingsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the settings dialog for object until "Выход" has destroyed it.
void RunSettingsDialog(SettingsDialog &object);

#endif
