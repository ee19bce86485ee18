#pragma once
#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a new boot sector entry: its description, the
// partition and the boot sector file there (GRUB's, another system's).
class CCreateBootSectorPropertyPage : public CApplicationKindPage {
public:
    explicit CCreateBootSectorPropertyPage(NewEntryWizardState& state)
        : CApplicationKindPage(IDD_CREATE_BOOT_SECTOR, state)
    {
    }

protected:
    void Fill() override;
    void Read(NewEntry& entry) const override;
    std::string Check(const NewEntry& entry) const override;
};
