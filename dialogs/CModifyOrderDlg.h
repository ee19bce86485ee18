#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "controls/CDragReorder.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"

class CBcdItem;
class CBcdObject;

// Reorders the values of the boot manager's "displayorder" by dragging rows
// (one or several); on OK the element's values take the new order in memory.
class CModifyOrderDlg : public CDialog {
public:
    CModifyOrderDlg(CBcdItem& item, const std::vector<const CBcdObject*>& loaders, HWND parent);
    ~CModifyOrderDlg() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Moves the selected rows (or the dragged one) in front of dropIndex.
    void DropItemOnList(int dragIndex, int dropIndex);

    CBcdItem& m_item;
    std::vector<const CBcdObject*> m_loaders;
    CListCtrl m_list;
    CDragReorder m_drag;
};
