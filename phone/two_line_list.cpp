#include "two_line_list.h"

#include "app_frame.h"
#include "phone_look.h"

namespace phone {

HWND CreateTwoLineList(HWND parent, const ListItem *items, int count) {
    HWND list =
        CreateWindowExW(0, L"LISTBOX", L"",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                            LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
                        0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    for (int i = 0; i < count; ++i) {
        // Without LBS_HASSTRINGS the item's value is ours: the row it draws.
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(&items[i]));
    }
    if (count > 0) SendMessageW(list, LB_SETCURSEL, 0, 0);
    return list;
}

void MeasureListRow(MEASUREITEMSTRUCT *mis) {
    if (mis->CtlType != ODT_LISTBOX) return;
    const PhoneLook &look = Look();
    mis->itemHeight = look.textHeight + look.smallHeight + 3 * look.pad;
}

void DrawListRow(const DRAWITEMSTRUCT *dis) {
    if (dis->CtlType != ODT_LISTBOX) return;
    HDC dc = dis->hDC;
    RECT rc = dis->rcItem;
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    FillSolid(dc, rc, selected ? kSelectBack : kScreenBack);
    // An empty list box still asks to draw its focus: there is no row then.
    if (dis->itemID == static_cast<UINT>(-1)) return;
    const auto *item = reinterpret_cast<const ListItem *>(dis->itemData);
    if (!item) return;

    const PhoneLook &look = Look();
    RECT rule = {rc.left, rc.bottom - 1, rc.right, rc.bottom};
    FillSolid(dc, rule, kRule);

    SetBkMode(dc, TRANSPARENT);
    RECT line = {rc.left + 2 * look.pad, rc.top + look.pad, rc.right - look.pad,
                 rc.top + look.pad + look.textHeight};
    const UINT flags = DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    HGDIOBJ old = SelectObject(dc, look.bold);
    SetTextColor(dc, selected ? kSelectText : kText);
    DrawTextW(dc, item->primary, -1, &line, flags);
    if (item->secondary) {
        line.top = line.bottom + look.pad / 2;
        line.bottom = line.top + look.smallHeight;
        SelectObject(dc, look.small);
        SetTextColor(dc, selected ? kSelectText : kDimText);
        DrawTextW(dc, item->secondary, -1, &line, flags);
    }
    SelectObject(dc, old);
}

int SelectedRow(HWND list) {
    LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void ShowSelectedDetail(HWND list, HWND frame) {
    int row = SelectedRow(list);
    if (row < 0) return;
    LRESULT data = SendMessageW(list, LB_GETITEMDATA, row, 0);
    const auto *item = reinterpret_cast<const ListItem *>(data);
    if (data == LB_ERR || !item || !item->detail) return;
    ShowDetailPage(frame, item->primary, item->detail);
}

}  // namespace phone
