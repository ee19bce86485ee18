#pragma once
#include <string>

#include "dialogs/NewEntryWizardState.h"
#include "framework/CPropertyPage.h"

// What the three kind pages of the create-entry wizard share: their fields
// are read into the wizard's entry at every change and checked; a wrong
// field says why below them, and Next (to the preview) is offered only when
// all are right. Back leads to the choice page and keeps what was typed.
class CApplicationKindPage : public CPropertyPage {
public:
    CApplicationKindPage(UINT templateId, NewEntryWizardState& state) : CPropertyPage(templateId), m_state(state) {}

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

    // The page's defaults, put into its fields when it first shows.
    virtual void Fill() = 0;
    // The fields into `entry`, and why they cannot make one (empty: they can).
    virtual void Read(NewEntry& entry) const = 0;
    virtual std::string Check(const NewEntry& entry) const = 0;
    // Which fields are usable, after a change.
    virtual void EnableFields() {}

    // Reads and checks the fields; says why on the page and sets the buttons.
    bool Update();
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);
    // The fixed drives in a drop-down list, `chosen` selected when there.
    void FillDrives(int comboId, const std::string& chosen);
    std::string ChosenDrive(int comboId) const;

    NewEntryWizardState& m_state;

private:
    bool m_filled = false;
};
