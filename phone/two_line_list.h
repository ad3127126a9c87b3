// The list every phone screen is made of: an owner-drawn list box whose rows
// show a name in bold and a line of detail under it.
#ifndef QUELLOR_PHONE_TWO_LINE_LIST_H
#define QUELLOR_PHONE_TWO_LINE_LIST_H

#include <windows.h>

namespace phone {

struct ListItem {
    const wchar_t *primary;    // bold first line
    const wchar_t *secondary;  // dim second line
    const wchar_t *detail;     // what "Открыть" shows; may be null
};

// The rows point into items, which must outlive the list (static tables).
// The parent receives WM_VKEYTOITEM for keys and LBN_DBLCLK for double clicks.
HWND CreateTwoLineList(HWND parent, const ListItem *items, int count);

// The parent forwards these two messages (sent while the list is created and painted).
void MeasureListRow(MEASUREITEMSTRUCT *mis);
void DrawListRow(const DRAWITEMSTRUCT *dis);

int SelectedRow(HWND list);  // -1 when none
// Shows the selected row's detail as a page of the frame.
void ShowSelectedDetail(HWND list, HWND frame);

}  // namespace phone

#endif
