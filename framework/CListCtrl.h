#pragma once
#include <commctrl.h>

#include <string>

#include "framework/CWnd.h"

// A report-style list view of a dialog.
class CListCtrl : public CWnd {
public:
    explicit CListCtrl(HWND list = nullptr) : CWnd(list) {}
    void Bind(HWND list) { m_hWnd = list; }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
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
};

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
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

inline LPARAM CListCtrl::GetItemData(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}
