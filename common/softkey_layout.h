// The words of a soft-key bar's RCDATA resource, as the phone's shell reads
// them: a menu id, a button count, then seven words per button (image, command,
// state, style, label string, 0, pop-up index). Plain #defines: resource
// scripts include this header.
#ifndef QUELLOR_COMMON_SOFTKEY_LAYOUT_H
#define QUELLOR_COMMON_SOFTKEY_LAYOUT_H

#define SOFTKEY_NO_IMAGE (-2)    // I_IMAGENONE
#define SOFTKEY_ENABLED  4       // TBSTATE_ENABLED
#define SOFTKEY_AUTOSIZE 16      // TBSTYLE_AUTOSIZE: a key that sends its command
#define SOFTKEY_POPUP    24      // TBSTYLE_AUTOSIZE | TBSTYLE_DROPDOWN: a key that opens a pop-up
#define SOFTKEY_NO_POPUP 0xFFFF  // NOMENU: the key opens no pop-up

#endif
