#pragma once
#include "exec/CSession.h"
#include "framework/CDialog.h"

class CBcdBootLoader;

// Copies one loader entry under a new description with "/Copy"; ends with
// IDOK only after the tool confirmed the copy, and stays open after a failure.
class CCloneConfigurationDlg : public CDialog {
public:
    CCloneConfigurationDlg(CSession& session, const CBcdBootLoader& loader, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CSession& m_session;  // every run of the tool goes through it
    const CBcdBootLoader& m_loader;
};
