#pragma once
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/CWnd.h"

// A report-style list view of a dialog.
class CListCtrl : public CWnd {
public:
    explicit CListCtrl(HWND list = nullptr) : CWnd(list) {}
    void Bind(HWND list) { m_hWnd = list; }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    // A list that asks for its texts (LVS_OWNERDATA): how many rows it has.
    void SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL); }
    // Drawing off while many rows change; on again, the list is drawn once.
    void SetRedraw(bool on)
    {
        SendMessage(WM_SETREDRAW, on ? TRUE : FALSE);
        if (on)
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)); }
    int GetNextItem(int start, UINT flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags))); }
    // The first selected row, or -1.
    int GetSelectedRow() const { return GetNextItem(-1, LVNI_SELECTED); }
    bool SetItemState(int row, UINT state, UINT mask);
    int InsertItem(int row, const std::string& text, LPARAM data);
    bool SetItemText(int row, int column, const std::string& text);
    LPARAM GetItemData(int row) const;
    std::string GetItemText(int row, int column) const;
    bool EnsureVisible(int row) { return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE) != 0; }
    bool SetItemData(int row, LPARAM data);
    UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask)); }
    bool IsSelected(int row) const { return (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0; }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // The row under a point of the list's client area, or -1.
    int HitTest(POINT client) const;
    // The rectangle of a row's part (LVIR_BOUNDS, LVIR_LABEL, ...), client coordinates.
    RECT GetItemRect(int row, int part) const;
    // An image of the row to drag; the caller owns it.
    HIMAGELIST CreateDragImage(int row, POINT& origin) const { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&origin))); }
    void RedrawItems(int first, int last) { SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last); }
    HWND GetHeader() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    int GetColumnCount() const;
    void SetColumnWidth(int column, int width) { SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width); }
    void SetColumnFormat(int column, int format);
};

inline bool CListCtrl::SetItemData(int row, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

inline int CListCtrl::HitTest(POINT client) const
{
    LVHITTESTINFO hit = {};
    hit.pt = client;
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

inline RECT CListCtrl::GetItemRect(int row, int part) const
{
    RECT rect = {};
    rect.left = part;
    if (!SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)))
        return RECT{};
    return rect;
}

inline int CListCtrl::GetColumnCount() const
{
    HWND header = GetHeader();
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

inline void CListCtrl::SetColumnFormat(int column, int format)
{
    LVCOLUMNA description = {};
    description.mask = LVCF_FMT;
    description.fmt = format;
    SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
}

inline bool CListCtrl::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

inline int CListCtrl::InsertItem(int row, const std::string& text, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

inline bool CListCtrl::SetItemText(int row, int column, const std::string& text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

inline std::string CListCtrl::GetItemText(int row, int column) const
{
    // The buffer grows until the text fits: a value may be long.
    for (size_t size = 256;; size *= 2) {
        std::string text(size, '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(size);
        size_t length = static_cast<size_t>(
            SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size >= (1u << 20)) {
            text.resize(std::min(length, size - 1));
            return text;
        }
    }
}

inline LPARAM CListCtrl::GetItemData(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}
