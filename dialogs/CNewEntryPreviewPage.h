#pragma once
#include "dialogs/NewEntryWizardState.h"
#include "framework/CPropertyPage.h"

// The create-entry wizard's last page: the exact commands, in order, with
// "{new entry}" for the identifier the tool will give. Finish sends them;
// when one fails, the entry made is deleted again and the wizard stays open
// with the tool's words.
class CNewEntryPreviewPage : public CPropertyPage {
public:
    explicit CNewEntryPreviewPage(NewEntryWizardState& state);

protected:
    bool OnSetActive() override;
    LRESULT OnWizardBack() override;
    bool OnWizardFinish() override;

private:
    NewEntryWizardState& m_state;
};
