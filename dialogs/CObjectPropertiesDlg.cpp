#include "dialogs/CObjectPropertiesDlg.h"
#include "framework/MessageBoxes.h"

#include "controls/FillPropertyGrid.h"
#include "common/CGatheredNotices.h"
#include "common/TextCompare.h"
#include "model/GridCellPlan.h"
#include "controls/GridMessages.h"
#include "dialogs/CAddPropertiesDlg.h"
#include "dialogs/CDeletePropertyDlg.h"
#include "dialogs/WindowWritePath.h"
#include "framework/CWinApp.h"
#include "model/CBcdObject.h"
#include "model/PropertyWrites.h"
#include "res/resource.h"

const UINT WM_SHOW_INTEGER_LIST = RegisterMessage("WM_SHOW_INTEGER_LIST");
const UINT WM_SHOW_LIST = RegisterMessage("WM_SHOW_LIST");

namespace {
const UINT WM_KEYSTAVE_TELL_READ_ONLY = WM_APP + 0x31;
}

CObjectPropertiesDlg::CObjectPropertiesDlg(CSession& session, UINT templateId, int gridId,
                                           CBcdObject& object, uint16_t contexts, UINT listMessage,
                                           HWND parent)
    : CDialog(templateId, parent),
      m_session(session),
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
    if (!m_readOnlyWhy.empty()) {
        m_grid.SetReadOnly(true);
        for (int id : {IDOK, IDC_ADD_PROPERTY, IDC_DELETE_PROPERTY})
            ::EnableWindow(GetDlgItem(id), FALSE);
        std::string caption = GetWindowText() + " (read-only)";
        SetWindowText(caption);
        ::PostMessageA(m_hWnd, WM_KEYSTAVE_TELL_READ_ONLY, 0, 0);
    }
    return TRUE;
}

bool CObjectPropertiesDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message != WM_KEYSTAVE_TELL_READ_ONLY)
        return false;
    ShowWarning(m_hWnd, m_readOnlyWhy);
    result = 0;
    return true;
}

std::vector<GridRowState> CObjectPropertiesDlg::RowStates() const
{
    std::vector<GridRowState> rows;
    for (int row = 0; row < m_grid.GetItemCount(); ++row)
        rows.push_back(GridRowState{ItemOfRow(row), m_grid.GetModified(row, 1),
                                    m_grid.GetItemText(row, 1)});
    return rows;
}

void CObjectPropertiesDlg::RestorePendingEdits(const std::vector<PendingEdit>& edits)
{
    for (const PendingEdit& edit : edits) {
        for (int row = 0; row < m_grid.GetItemCount(); ++row) {
            CBcdItem* item = ItemOfRow(row);
            if (!item || !EqualsNoCase(item->GetName(), edit.name))
                continue;
            if (edit.list) {
                item->ReplaceValues(edit.values);
                ShowChangedList(row, *item);
            } else {
                m_grid.SetItemText(row, 1, edit.cellText);
                m_grid.SetModified(row, 1, true);
            }
            break;
        }
    }
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
    // Edits not yet sent survive the re-read that Add and Delete bring.
    std::vector<PendingEdit> pending = PendingEdits(RowStates());
    CGatheredNotices notices;
    if (ReadObjectAgain([this] { m_grid.DeleteAllItems(); })) {
        FillGrid();
        RestorePendingEdits(pending);
        return;
    }
    ShowError(m_hWnd, "The entry " + m_object.GetIdentifier() +
                          " could not be read again. The window still shows the elements it had; the "
                          "main window reads the store again after OK.");
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
    CAddPropertiesDlg add(m_session, m_object, m_contexts, m_hWnd);
    if (add.DoModal() == IDOK)
        ReloadObject();
}

void CObjectPropertiesDlg::DeleteProperty()
{
    CDeletePropertyDlg remove(m_session, m_object, m_contexts, m_hWnd);
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
    if (!m_readOnlyWhy.empty()) {
        EndDialog(IDCANCEL);
        return;
    }
    std::vector<PlannedWrite> writes = PlanPropertyWrites(m_object.GetIdentifier(), RowStates());
    std::vector<ToolCommand> commands;
    for (const PlannedWrite& write : writes)
        commands.push_back(write.command);
    WritesOutcome outcome = ApplyWrites(QuietWindowWritePath(m_session, m_hWnd), commands);
    for (size_t i = 0; i < outcome.made; ++i)
        m_grid.SetModified(writes[i].row, 1, false);
    m_sentSome = m_sentSome || outcome.made > 0;
    if (!outcome.stopped) {
        EndDialog(IDOK);
        return;
    }
    // The window stays open with what was not made still marked.
    const PlannedWrite& failed = writes[outcome.made];
    ShowError(m_hWnd, RowNotMadeMessage(failed.name, outcome.sent, outcome.words, writes.size() - outcome.made));
}

void CObjectPropertiesDlg::OnCancel()
{
    // Changes an earlier OK made before it stopped are in the store: the
    // caller reads it again.
    EndDialog(m_sentSome ? IDOK : IDCANCEL);
}
