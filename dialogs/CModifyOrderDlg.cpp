#include "dialogs/CModifyOrderDlg.h"

#include "common/TextCompare.h"
#include "controls/CXListCtrl.h"
#include "model/CBcdItem.h"
#include "model/CBcdObject.h"
#include "model/DisplayOrderDrop.h"
#include "res/resource.h"

CModifyOrderDlg::CModifyOrderDlg(CBcdItem& item, const std::vector<const CBcdObject*>& loaders,
                                 HWND parent)
    : CDialog(IDD_MODIFY_ORDER, parent),
      m_item(item),
      m_loaders(loaders),
      m_drag(m_list, [this](int dragIndex, int dropIndex) { DropItemOnList(dragIndex, dropIndex); })
{
    OnNotify(IDC_ORDER_LIST, LVN_BEGINDRAG, [this](NMHDR& header) {
        return m_drag.Begin(m_hWnd, reinterpret_cast<NMLISTVIEW&>(header));
    });
}

CModifyOrderDlg::~CModifyOrderDlg() = default;

BOOL CModifyOrderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.Bind(GetDlgItem(IDC_ORDER_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertGridColumns(m_list, {32}, {"Guid", "Description"});
    const std::vector<std::string> values = m_item.GetValues();
    for (size_t i = 0; i < values.size(); ++i) {
        int row = m_list.InsertItem(static_cast<int>(i), values[i], 0);
        for (const CBcdObject* loader : m_loaders)
            if (EqualsNoCase(loader->GetIdentifier(), values[i])) {
                m_list.SetItemText(row, 1, loader->GetDescription());
                m_list.SetItemData(row, static_cast<LPARAM>(i));
            }
    }
    return TRUE;
}

void CModifyOrderDlg::DropItemOnList(int dragIndex, int dropIndex)
{
    std::vector<OrderRow> rows;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        rows.push_back(OrderRow{m_list.GetItemText(row, 0), m_list.GetItemText(row, 1), m_list.IsSelected(row)});
    DropRows(rows, dragIndex, dropIndex);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        int row = m_list.InsertItem(static_cast<int>(i), rows[i].identifier, 0);
        m_list.SetItemText(row, 1, rows[i].description);
        if (rows[i].selected)
            m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

bool CModifyOrderDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (!m_drag.OnMessage(message, lParam))
        return false;
    result = 0;
    return true;
}

void CModifyOrderDlg::OnOK()
{
    std::vector<std::string> values;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        values.push_back(m_list.GetItemText(row, 0));
    m_item.ReplaceValues(values);
    EndDialog(IDOK);
}
