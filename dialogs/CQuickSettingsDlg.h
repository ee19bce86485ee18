#pragma once
#include <string>
#include <vector>

#include "exec/CSession.h"
#include "exec/ToolCommand.h"
#include "framework/CDialog.h"

class CBcdObject;

// "Quick Settings": the everyday switches of one Windows entry, and the
// boot manager's menu, by name and in words. OK sends one command per
// change through the write path; a refusal is shown with what to do about
// it. IDOK when anything reached the store, so the caller reads it again.
class CQuickSettingsDlg : public CDialog {
public:
    // `menuEntries`: the entries the default may be chosen among.
    CQuickSettingsDlg(CSession& session, const CBcdObject& entry, const CBcdObject* manager,
                      const std::vector<const CBcdObject*>& menuEntries, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void FillSwitches();
    void FillMenu();
    // The commands the controls ask for; empty with `refusal` set when one
    // of them holds what cannot be sent.
    std::vector<ToolCommand> Plan(std::string& refusal) const;
    void TellNotMade(const ToolCommand& command, const std::vector<std::string>& lines, size_t notSent);

    CSession& m_session;  // every run of the tool goes through it
    const CBcdObject& m_entry;
    const CBcdObject* m_manager;
    std::vector<const CBcdObject*> m_menuEntries;
};
