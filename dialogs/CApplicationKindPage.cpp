#include "dialogs/CApplicationKindPage.h"

#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "res/resource.h"

bool CApplicationKindPage::OnSetActive()
{
    if (!m_filled) {
        Fill();
        m_filled = true;
    }
    Update();
    return true;
}

LRESULT CApplicationKindPage::OnWizardBack() { return IDD_SELECT_APPLICATION; }

LRESULT CApplicationKindPage::OnWizardNext()
{
    if (!Update())
        return -1;
    m_state.kindPage = TemplateId();
    return IDD_CREATE_PREVIEW;
}

bool CApplicationKindPage::OnCommand(WORD, WORD code, HWND)
{
    if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED)
        Update();
    return false;
}

bool CApplicationKindPage::Update()
{
    if (!m_filled)
        return false;
    EnableFields();
    NewEntry entry;
    entry.uefi = m_state.uefi;
    Read(entry);
    std::string problem = Check(entry);
    m_state.entry = entry;
    SetText(IDC_NEW_REASON, problem);
    SetWizardButtons(problem.empty() ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
    return problem.empty();
}

std::string CApplicationKindPage::Text(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)).GetWindowText(); }

void CApplicationKindPage::SetText(int id, const std::string& text)
{
    // Only a change is written: setting an edit's text tells of a change again.
    if (Text(id) != text)
        ::SetDlgItemTextA(m_hWnd, id, text.c_str());
}

bool CApplicationKindPage::Checked(int id) const
{
    return CButton(::GetDlgItem(m_hWnd, id)).GetCheck() == BST_CHECKED;
}

void CApplicationKindPage::SetChecked(int id, bool on) { ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }

void CApplicationKindPage::FillDrives(int comboId, const std::string& chosen)
{
    CComboBox drives(::GetDlgItem(m_hWnd, comboId));
    drives.ResetContent();
    for (const std::string& volume : m_state.volumes)
        drives.AddString(volume);
    int at = chosen.empty() ? CB_ERR : drives.FindStringExact(-1, chosen);
    drives.SetCurSel(at == CB_ERR ? 0 : at);
}

std::string CApplicationKindPage::ChosenDrive(int comboId) const
{
    CComboBox drives(::GetDlgItem(m_hWnd, comboId));
    int at = drives.GetCurSel();
    return at == CB_ERR ? std::string() : drives.GetLBText(at);
}
