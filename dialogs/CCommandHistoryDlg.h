#pragma once
#include "exec/CCommandHistory.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"

// "Command History": what this session ran, and its changes as a script.
class CCommandHistoryDlg : public CDialog {
public:
    CCommandHistoryDlg(const CCommandHistory& history, const std::string& date, HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void CopyScript(const std::string& script);

    const CCommandHistory& m_history;
    std::string m_date;
    CListCtrl m_list;
};

// Puts text on the clipboard, line ends as CR LF; false when it is busy.
bool PutTextOnClipboard(HWND owner, const std::string& text);
