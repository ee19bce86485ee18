#pragma once
#include <string>
#include <vector>

#include "framework/CDialog.h"

// Shows a command that did not report success and what the tool wrote.
// It only reads the caller's text and lines, which outlive it.
class CCommandLogDlg : public CDialog {
public:
    CCommandLogDlg(const std::string& command, const std::vector<std::string>& lines, HWND parent);

protected:
    BOOL OnInitDialog() override;

private:
    const std::string& m_command;
    const std::vector<std::string>& m_lines;
};
