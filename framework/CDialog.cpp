#include "framework/CDialog.h"

#include "framework/CWinApp.h"

HWND CDialog::DefaultOwner()
{
    HWND start = ::GetActiveWindow();
    if (!start)
        start = CWinApp::MainWindow();
    if (!start || !::IsWindow(start))
        return nullptr;
    HWND top = ::GetAncestor(start, GA_ROOT);
    HWND popup = ::GetLastActivePopup(top ? top : start);
    return popup ? popup : top;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_parent ? m_parent : DefaultOwner();
    return ::DialogBoxParamA(CWinApp::Instance(), MAKEINTRESOURCEA(m_templateId), owner,
                             Procedure<FromInit>, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    return ::CreateDialogParamA(CWinApp::Instance(), MAKEINTRESOURCEA(m_templateId), m_parent,
                                Procedure<FromInit>, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

CDialogWindow* CDialog::FromInit(LPARAM lParam)
{
    return reinterpret_cast<CDialog*>(lParam);
}

bool CDialog::OnUnhandledCommand(WORD id)
{
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        return false;
    return true;
}
