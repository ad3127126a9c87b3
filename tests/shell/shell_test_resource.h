// Resource ids of the shell tests' own soft-key bars, menus, strings, dialog.
#ifndef QUELLOR_TESTS_SHELL_SHELL_TEST_RESOURCE_H
#define QUELLOR_TESTS_SHELL_SHELL_TEST_RESOURCE_H

#define IDS_LEFT    1
#define IDS_RIGHT   2
#define IDS_MENU    3
#define IDS_MISSING 99

#define IDR_BAR_POPUP         300  // left: command 101, right: pop-up 1 of menu 300
#define IDR_BAR_TWO_COMMANDS  301  // commands 101 and 102, no menu resource at all
#define IDR_BAR_ONE_BUTTON    302  // left command 101 only
#define IDR_BAR_PADDED        303  // IDR_BAR_TWO_COMMANDS plus a trailing pad word
#define IDR_BAR_TRUNCATED     310  // count 2, the second button cut short
#define IDR_BAR_COUNT_TOO_BIG 311  // count 5 with two buttons of data
#define IDR_BAR_HEADER_ONLY   312  // one WORD: not even a header
#define IDR_BAR_POPUP_RANGE   313  // pop-up index 5 in a menu of two items
#define IDR_BAR_POPUP_NOT_SUB 314  // pop-up index 0: a plain item, no sub-menu
#define IDR_BAR_MENU_MISSING  315  // pop-up wanted from menu 399, which does not exist
#define IDR_BAR_LABEL_MISSING 316  // label string 99 does not exist
#define IDR_BAR_MISSING       398  // no such RCDATA

#define IDM_MISSING 399

#define IDC_LEFT   101
#define IDC_RIGHT  102
#define IDM_FIRST  201
#define IDM_SECOND 202
#define IDM_THIRD  203

#define IDD_TEST       400
#define IDC_TEST_EDIT  1001
#define IDC_TEST_CHECK 1002
#define IDC_TEST_EDIT2 1003

#endif
