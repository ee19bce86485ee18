#pragma once
#include "framework/CPropertyPage.h"

// What the three kind pages of the create-entry wizard share: they collect
// nothing yet, offer only Back, and Back leads to the choice page.
class CApplicationKindPage : public CPropertyPage {
public:
    explicit CApplicationKindPage(UINT templateId) : CPropertyPage(templateId) {}

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
};
