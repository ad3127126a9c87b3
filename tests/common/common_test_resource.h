// Resource ids of the common contract's tests: strings for the text helpers,
// a dialog and a soft-key bar for the frame.
#ifndef QUELLOR_TESTS_COMMON_COMMON_TEST_RESOURCE_H
#define QUELLOR_TESTS_COMMON_COMMON_TEST_RESOURCE_H

#define IDS_PLAIN       10
#define IDS_BAR_AFTER_2 11
#define IDS_TWO_BARS    12
#define IDS_LONG        13
#define IDS_OK          14
#define IDS_CANCEL      15
#define IDS_MISSING     99

#define IDD_TEST      900
#define IDC_TEST_EDIT 901
#define IDR_TEST_BAR  902
#define IDD_MISSING   903

#endif
