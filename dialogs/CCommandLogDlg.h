#pragma once
#include <string>
#include <vector>

#include "framework/CDialog.h"

// Shows a command that did not report success and what the tool wrote.
// It keeps copies: callers often hand it temporaries.
class CCommandLogDlg : public CDialog {
public:
    CCommandLogDlg(const std::string& command, const std::vector<std::string>& lines, HWND parent);

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_command;
    std::vector<std::string> m_lines;
};
