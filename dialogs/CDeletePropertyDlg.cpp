#include "dialogs/CDeletePropertyDlg.h"

#include "dialogs/WindowWritePath.h"
#include "framework/CListBox.h"
#include "model/CBcdObject.h"
#include "res/resource.h"

CDeletePropertyDlg::CDeletePropertyDlg(CSession& session, const CBcdObject& object, uint16_t contexts, HWND parent)
    : CDialog(IDD_DELETE_PROPERTY, parent), m_session(session), m_object(object), m_contexts(contexts)
{
}

BOOL CDeletePropertyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CListBox list(GetDlgItem(IDC_PROPERTY_LIST));
    const auto& items = m_object.GetItems();
    for (size_t i = 0; i < items.size(); ++i)
        list.SetItemData(list.AddString(std::string(items[i].GetName())), static_cast<LPARAM>(i));
    return TRUE;
}

void CDeletePropertyDlg::OnOK()
{
    CListBox list(GetDlgItem(IDC_PROPERTY_LIST));
    int selected = list.GetCurSel();
    if (selected < 0)
        return;
    size_t index = static_cast<size_t>(list.GetItemData(selected));
    if (index >= m_object.GetItems().size())
        return;
    const std::string name(m_object.GetItems()[index].GetName());
    if (WindowWritePath(m_session, m_hWnd).Run(DeleteValueCommand(m_object.GetIdentifier(), name)).succeeded)
        EndDialog(IDOK);
}
