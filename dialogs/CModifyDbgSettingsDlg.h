#pragma once
#include "exec/CSession.h"
#include "framework/CDialog.h"
#include "model/DebugType.h"

class CBcdObject;

// The global debugger connection: serial, USB, 1394, network or local, with
// its parameters, the start policy and the noumex switch. Compares the
// choice with the stored settings and sends one "/DBGSETTINGS" only for a
// change; shows the key the tool makes up for network debugging.
class CModifyDbgSettingsDlg : public CDialog {
public:
    CModifyDbgSettingsDlg(CSession& session, const CBcdObject& settings, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    CSession& m_session;  // every run of the tool goes through it
    void ShowForConnectType(bool useStored, int type);
    void HideParameters();
    void ShowControl(int id, bool show = true);
    int SelectedType() const;
    std::string SelectedText(int comboId) const;
    std::string ControlText(int id) const;
    void SelectText(int comboId, const std::string& text);

    const CBcdObject& m_settings;
    bool m_policyChanged = false;
};
