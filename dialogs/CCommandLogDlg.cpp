#include "dialogs/CCommandLogDlg.h"

#include "framework/CListBox.h"
#include "res/resource.h"

CCommandLogDlg::CCommandLogDlg(const std::string& command, const std::vector<std::string>& lines,
                               HWND parent)
    : CDialog(IDD_COMMAND_LOG, parent), m_command(command), m_lines(lines)
{
}

BOOL CCommandLogDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_COMMAND_TEXT, m_command.c_str());
    CListBox log(GetDlgItem(IDC_COMMAND_LOG_LIST));
    for (const std::string& line : m_lines)
        log.AddString(line);
    return TRUE;
}
