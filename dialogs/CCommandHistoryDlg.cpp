#include "dialogs/CCommandHistoryDlg.h"
#include "framework/MessageBoxes.h"

#include <cstring>

#include "controls/CXListCtrl.h"
#include "res/resource.h"

CCommandHistoryDlg::CCommandHistoryDlg(const CCommandHistory& history, const std::string& date,
                                       HWND parent)
    : CDialog(IDD_COMMAND_HISTORY, parent), m_history(history), m_date(date)
{
}

BOOL CCommandHistoryDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.Bind(GetDlgItem(IDC_HISTORY_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    InsertGridColumns(m_list, {6, 30, 9}, {"Time", "Command", "Result", "BCDEDIT.EXE's words"});
    // Commands and words are read from their start.
    for (int column : {1, 3})
        m_list.SetColumnFormat(column, LVCFMT_LEFT);
    const std::vector<HistoryEntry>& entries = m_history.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const HistoryEntry& entry = entries[i];
        int row = m_list.InsertItem(static_cast<int>(i), entry.time, 0);
        m_list.SetItemText(row, 1, entry.arguments.empty() ? "(not built)" : "bcdedit " + entry.arguments);
        m_list.SetItemText(row, 2, OutcomeText(entry.outcome));
        m_list.SetItemText(row, 3, WordsInOneLine(entry.words));
    }
    if (!entries.empty())
        m_list.EnsureVisible(static_cast<int>(entries.size()) - 1);
    return TRUE;
}

bool CCommandHistoryDlg::OnCommand(WORD id, WORD, HWND)
{
    if (id == IDC_COPY_SCRIPT)
        CopyScript(m_history.Script(m_date));
    else if (id == IDC_COPY_POWERSHELL)
        CopyScript(m_history.PowerShellScript(m_date));
    else
        return false;
    return true;
}

void CCommandHistoryDlg::CopyScript(const std::string& script)
{
    if (!PutTextOnClipboard(m_hWnd, script))
        ShowError(m_hWnd, "The clipboard is in use by another program. Try again.", "Command History");
}

bool PutTextOnClipboard(HWND owner, const std::string& text)
{
    if (!::OpenClipboard(owner))
        return false;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool put = false;
    if (memory) {
        if (void* target = ::GlobalLock(memory)) {
            std::memcpy(target, text.c_str(), text.size() + 1);
            ::GlobalUnlock(memory);
            put = ::SetClipboardData(CF_TEXT, memory) != nullptr;
        }
        if (!put)
            ::GlobalFree(memory);
    }
    ::CloseClipboard();
    return put;
}
