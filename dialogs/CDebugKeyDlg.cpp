#include "dialogs/CDebugKeyDlg.h"

#include "res/resource.h"

CDebugKeyDlg::CDebugKeyDlg(const std::string& key, HWND parent)
    : CDialog(IDD_DEBUG_KEY, parent), m_key(key)
{
}

BOOL CDebugKeyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND text = GetDlgItem(IDC_KEY_TEXT);
    ::SetWindowTextA(text, m_key.c_str());
    ::SetFocus(text);
    ::SendMessageA(text, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}
