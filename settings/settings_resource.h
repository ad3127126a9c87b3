// Resource ids of the settings program: dialogs, their controls, soft-key
// bars, commands and strings. Shared by the resource script and the code.
#ifndef QUELLOR_SETTINGS_SETTINGS_RESOURCE_H
#define QUELLOR_SETTINGS_SETTINGS_RESOURCE_H

// Dialogs
#define IDD_SETTINGS 102
#define IDD_ABOUT    108
#define IDD_PASSWORD 121

// Soft-key bars (each an RCDATA and a MENU of the same id)
#define IDR_PASSWORD_BAR 109
#define IDR_ABOUT_BAR    112
#define IDR_SETTINGS_BAR 205

// Settings dialog: the four lock boxes and the status line
#define IDC_SETTINGS_CONTACTS     1001
#define IDC_SETTINGS_CALENDAR     1002
#define IDC_SETTINGS_CALL_HISTORY 1003
#define IDC_SETTINGS_STATUS       1004
#define IDC_SETTINGS_SMS          1005

// Change-password dialog
#define IDC_PASSWORD_OLD          1012
#define IDC_PASSWORD_NEW          1013
#define IDC_PASSWORD_REPEAT       1014
#define IDC_PASSWORD_OLD_LABEL    1015
#define IDC_PASSWORD_NEW_LABEL    1016
#define IDC_PASSWORD_REPEAT_LABEL 1017

// Soft-key and menu commands; a soft key's label is the string of its command id
#define IDM_DONE          40015
#define IDM_CANCEL        40138
#define IDM_EXIT          40139
#define IDM_ABOUT         40142
#define IDM_SETTINGS_MENU 40145
#define IDM_SET_PASSWORD  40146
#define IDM_STOP_AGENT    40149

// Strings
#define IDS_SETTINGS_TITLE    3  // also the title a second copy looks for
#define IDS_DONE              IDM_DONE
#define IDS_WRONG_CAPTION     40062
#define IDS_PASSWORD_MISMATCH 40064
#define IDS_WRONG_PASSWORD    40066
#define IDS_CANCEL            IDM_CANCEL
#define IDS_EXIT              IDM_EXIT
#define IDS_SETTINGS_MENU     IDM_SETTINGS_MENU
#define IDS_AGENT_RUNNING     40288
#define IDS_AGENT_STOPPED     40289

#endif
