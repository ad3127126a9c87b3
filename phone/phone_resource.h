// Resource ids of the phone stand-ins (home screen and the four applications).
// Plain #defines: the resource compiler reads this header too.
#ifndef QUELLOR_PHONE_PHONE_RESOURCE_H
#define QUELLOR_PHONE_PHONE_RESOURCE_H

// Soft-key bars: an RCDATA and a MENU of the same id each.
#define IDR_HOME_BAR 300  // "Открыть" | "Меню" (Открыть, Выключить)
#define IDR_APP_BAR  301  // "Открыть" | "Меню" (Открыть, Выход)

// Commands of the soft keys and their menus.
#define IDM_OPEN      100
#define IDM_EXIT      101
#define IDM_POWER_OFF 102
#define IDM_MENU      103  // the right soft key itself: it only opens its pop-up
#define IDM_BACK      104  // sent by content windows that see the Back key themselves

// Soft-key labels.
#define IDS_OPEN 1
#define IDS_MENU 2

#endif
