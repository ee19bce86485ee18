#pragma once
#include <vector>

#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a missing resume entry: offered for the Windows
// entries whose "resumeobject" is missing or names no entry of the store.
class CCreateResumeApplicationPage : public CApplicationKindPage {
public:
    explicit CCreateResumeApplicationPage(NewEntryWizardState& state)
        : CApplicationKindPage(IDD_CREATE_RESUME, state)
    {
    }

protected:
    void Fill() override;
    void Read(NewEntry& entry) const override;
    std::string Check(const NewEntry& entry) const override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    // The chosen entry's partition, where its hibernation file is.
    void ChooseDriveOfEntry();

    std::vector<const CBcdObject*> m_without;
};
