// Stand-in for the Windows Mobile SDK's winuserm.h, the phone's additions to
// winuser.h: the keypad's virtual keys and the edit controls' input modes.
#ifndef QUELLOR_MOBILESHELL_INCLUDE_WINUSERM_H
#define QUELLOR_MOBILESHELL_INCLUDE_WINUSERM_H

#include <windows.h>

// ---- Keys -----------------------------------------------------------------

#define VK_TSOFT1 VK_F1
#define VK_TSOFT2 VK_F2
#define VK_TTALK  VK_F3
#define VK_TEND   VK_F4
#define VK_TBACK  VK_ESCAPE

// ---- Edit input modes -----------------------------------------------------

#define EM_SETINPUTMODE 0x00DE
#define IM_SPELL        0
#define IM_AMBIG        1
#define IM_NUMBERS      2
#define IM_LAST         IM_NUMBERS

#endif
