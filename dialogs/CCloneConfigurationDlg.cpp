#include "dialogs/CCloneConfigurationDlg.h"
#include "framework/MessageBoxes.h"

#include "dialogs/WindowWritePath.h"
#include "model/CBcdBootLoader.h"
#include "res/resource.h"

CCloneConfigurationDlg::CCloneConfigurationDlg(CSession& session, const CBcdBootLoader& loader, HWND parent)
    : CDialog(IDD_CLONE_CONFIGURATION, parent), m_session(session), m_loader(loader)
{
}

BOOL CCloneConfigurationDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_CLONE_DESCRIPTION, ("Copy of " + m_loader.GetDescription()).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_CLONE_SOURCE, m_loader.GetIdentifier().c_str());
    return TRUE;
}

void CCloneConfigurationDlg::OnOK()
{
    CWnd edit(GetDlgItem(IDC_CLONE_DESCRIPTION));
    std::string description = edit.GetWindowText();
    if (description.empty()) {
        ShowError(m_hWnd, "Description must be specified");
        return;
    }
    ToolCommand copy = CopyEntryCommand(m_loader.GetIdentifier(), description);
    if (WindowWritePath(m_session, m_hWnd).Run(copy, AnswerKind::Copy).succeeded)
        EndDialog(IDOK);
}
