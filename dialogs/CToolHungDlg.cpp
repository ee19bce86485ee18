#include "dialogs/CToolHungDlg.h"

#include "exec/CCommandHistory.h"
#include "res/resource.h"

namespace {
const UINT_PTR kWatchTimer = 1;
}

CToolHungDlg::CToolHungDlg(HANDLE process, const std::string& arguments, unsigned long seconds,
                           HWND parent)
    : CDialog(IDD_TOOL_HUNG, parent),
      m_process(process),
      m_text("BCDEDIT.EXE has not finished after " + std::to_string(seconds) + " seconds.\n\nbcdedit " +
             arguments + "\n\n" +
             (IsChangingCommand(arguments)
                  ? "End It stops it; whether this command changed the store is then unknown."
                  : "End It stops it; what it was reading is then not shown."))
{
}

void CToolHungDlg::OnCancel() { EndDialog(IDC_WAIT_ON); }

bool CToolHungDlg::EndIt() { return DoModal() == IDC_END_IT; }

BOOL CToolHungDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_HUNG_TEXT, m_text.c_str());
    ::SetTimer(m_hWnd, kWatchTimer, 200, nullptr);
    return TRUE;
}

bool CToolHungDlg::OnCommand(WORD id, WORD code, HWND)
{
    if (code != BN_CLICKED || (id != IDC_WAIT_ON && id != IDC_END_IT))
        return false;
    // Ending a tool that has just finished would report an unknown outcome
    // for a known one.
    EndDialog(id == IDC_END_IT && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT ? IDC_END_IT
                                                                                      : IDC_WAIT_ON);
    return true;
}

bool CToolHungDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_TIMER || wParam != kWatchTimer)
        return false;
    if (::WaitForSingleObject(m_process, 0) != WAIT_TIMEOUT)
        EndDialog(IDC_WAIT_ON);
    result = 0;
    return true;
}
