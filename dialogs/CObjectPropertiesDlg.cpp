#include "dialogs/CObjectPropertiesDlg.h"

#include "catalogue/FillPropertyGrid.h"
#include "catalogue/GridCellPlan.h"
#include "controls/GridMessages.h"
#include "dialogs/CAddPropertiesDlg.h"
#include "dialogs/CDeletePropertyDlg.h"
#include "exec/WindowWritePath.h"
#include "framework/CWinApp.h"
#include "model/CBcdObject.h"
#include "model/PropertyWrites.h"
#include "res/resource.h"

const UINT WM_SHOW_INTEGER_LIST = RegisterMessage("WM_SHOW_INTEGER_LIST");
const UINT WM_SHOW_LIST = RegisterMessage("WM_SHOW_LIST");

CObjectPropertiesDlg::CObjectPropertiesDlg(UINT templateId, int gridId, CBcdObject& object,
                                           uint16_t contexts, UINT listMessage, HWND parent)
    : CDialog(templateId, parent),
      m_object(object),
      m_gridId(gridId),
      m_listMessage(listMessage),
      m_contexts(contexts)
{
    OnRegisteredMessage(WM_XLISTCTRL_COMBO_SELECTION, [this](WPARAM row, LPARAM column) {
        return OnComboSelection(static_cast<int>(row), static_cast<int>(column));
    });
    OnRegisteredMessage(listMessage,
                        [this](WPARAM row, LPARAM) { return OnShowList(static_cast<int>(row)); });
}

BOOL CObjectPropertiesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_grid.Attach(GetDlgItem(m_gridId));
    FillGrid();
    return TRUE;
}

void CObjectPropertiesDlg::FillGrid()
{
    FillPropertyGrid(m_grid, &m_object, true);
    ::InvalidateRect(m_grid, nullptr, TRUE);
}

CBcdItem* CObjectPropertiesDlg::ItemOfRow(int row) const
{
    // Rows carry the object's own (mutable) items.
    return reinterpret_cast<CBcdItem*>(m_grid.GetItemData(row));
}

void CObjectPropertiesDlg::ShowChangedList(int row, const CBcdItem& item)
{
    m_grid.SetComboBox(row, 1, true, &item.GetValueList(), kComboDropDownRows, 0);
    m_grid.SetModified(row, 1, true);
}

void CObjectPropertiesDlg::ReloadObject()
{
    if (ReadObjectAgain([this] { m_grid.DeleteAllItems(); })) {
        FillGrid();
        return;
    }
    ::MessageBoxA(m_hWnd,
                  ("The entry " + m_object.GetIdentifier() +
                   " could not be read again. The window still shows the elements it had; the "
                   "main window reads the store again after OK.")
                      .c_str(),
                  "Keystave", MB_ICONERROR | MB_OK);
}

bool CObjectPropertiesDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_ADD_PROPERTY: AddProperty(); return true;
    case IDC_DELETE_PROPERTY: DeleteProperty(); return true;
    default: return false;
    }
}

void CObjectPropertiesDlg::AddProperty()
{
    CAddPropertiesDlg add(m_object, m_contexts, m_hWnd);
    if (add.DoModal() == IDOK)
        ReloadObject();
}

void CObjectPropertiesDlg::DeleteProperty()
{
    CDeletePropertyDlg remove(m_object, m_contexts, m_hWnd);
    if (remove.DoModal() == IDOK)
        ReloadObject();
}

LRESULT CObjectPropertiesDlg::OnComboSelection(int row, int column)
{
    CBcdItem* item = ItemOfRow(row);
    if (!item || column == 0 || m_listOpen || !OpensListWindow(*item))
        return 0;
    m_listOpen = true;
    ::SetActiveWindow(m_hWnd);
    ::SetForegroundWindow(m_hWnd);
    // After the grid has finished with the choice.
    ::PostMessageA(m_hWnd, m_listMessage, static_cast<WPARAM>(row), column);
    return 0;
}

LRESULT CObjectPropertiesDlg::OnShowList(int row)
{
    CBcdItem* item = ItemOfRow(row);
    if (item && m_grid.GetCurSel() == row)
        ShowListWindow(row, *item);
    m_listOpen = false;
    return 0;
}

void CObjectPropertiesDlg::OnOK()
{
    std::vector<GridRowState> rows;
    for (int row = 0; row < m_grid.GetItemCount(); ++row)
        rows.push_back(GridRowState{ItemOfRow(row), m_grid.GetModified(row, 1),
                                    m_grid.GetItemText(row, 1)});
    CWritePath writer = WindowWritePath(m_hWnd);
    for (const PlannedWrite& write : PlanPropertyWrites(m_object.GetIdentifier(), rows)) {
        if (!writer.Run(write.command).succeeded)
            ::MessageBoxA(m_hWnd, ModifiedRowMessage(write.row, write.name).c_str(), "Keystave",
                          MB_OK);
    }
    EndDialog(IDOK);
}
