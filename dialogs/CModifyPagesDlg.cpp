#include "dialogs/CModifyPagesDlg.h"
#include "framework/MessageBoxes.h"

#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "model/CBcdItem.h"
#include "model/PageList.h"
#include "res/resource.h"

CModifyPagesDlg::CModifyPagesDlg(CBcdItem& item, const CBcdObject& loader, HWND parent)
    : CDialog(IDD_MODIFY_PAGES, parent), m_item(item), m_loader(loader)
{
}

BOOL CModifyPagesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CListBox pages(GetDlgItem(IDC_PFN_LIST));
    // One notation, the store's: a typed decimal number shows as hex too.
    for (const std::string& value : m_item.GetValues())
        pages.AddString(PageNumberShown(value));
    if (m_item.GetValueCount() > 0)
        ::EnableWindow(GetDlgItem(IDC_DELETE_PAGE), TRUE);
    ::SetDlgItemTextA(m_hWnd, IDC_PFN_EDIT, "");
    return TRUE;
}

bool CModifyPagesDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_ADD_PAGE: AddPage(); return true;
    case IDC_DELETE_PAGE: DeletePages(); return true;
    default: return false;
    }
}

void CModifyPagesDlg::AddPage()
{
    char typed[256] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_PFN_EDIT, typed, sizeof typed);
    CListBox pages(GetDlgItem(IDC_PFN_LIST));
    std::vector<std::string> listed;
    for (int i = 0; i < pages.GetCount(); ++i)
        listed.push_back(pages.GetText(i));
    std::string refusal = PageNumberRefusal(typed, listed);
    if (!refusal.empty()) {
        ShowError(m_hWnd, refusal);
        return;
    }
    pages.AddString(PageNumberShown(typed));
    ::SetDlgItemTextA(m_hWnd, IDC_PFN_EDIT, "");
    ::EnableWindow(GetDlgItem(IDC_DELETE_PAGE), TRUE);
}

void CModifyPagesDlg::DeletePages()
{
    CListBox pages(GetDlgItem(IDC_PFN_LIST));
    // From the last selected up, so each deletion leaves the others' places.
    for (int i = pages.GetCount() - 1; i >= 0; --i)
        if (pages.GetSel(i) > 0)
            pages.DeleteString(i);
}

void CModifyPagesDlg::OnOK()
{
    // Enter in the number field adds the page; OK is for the whole list.
    if (::GetFocus() == GetDlgItem(IDC_PFN_EDIT) &&
        ::GetWindowTextLengthA(GetDlgItem(IDC_PFN_EDIT)) > 0) {
        AddPage();
        return;
    }
    CListBox pages(GetDlgItem(IDC_PFN_LIST));
    std::vector<std::string> values;
    for (int i = 0; i < pages.GetCount(); ++i)
        values.push_back(pages.GetText(i));
    m_item.ReplaceValues(values);
    EndDialog(IDOK);
}
