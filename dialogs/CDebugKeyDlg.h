#pragma once
#include <string>

#include "framework/CDialog.h"

// Shows the network debugging key the tool made up, selected in a read-only
// box, so the user can copy it for the debugging host.
class CDebugKeyDlg : public CDialog {
public:
    CDebugKeyDlg(const std::string& key, HWND parent);

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_key;
};
