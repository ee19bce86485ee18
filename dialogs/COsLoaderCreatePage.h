#pragma once
#include "dialogs/CApplicationKindPage.h"
#include "res/resource.h"

// The wizard page for a new Windows entry: its description; Windows on a
// partition or in a virtual disk file, or a copy of the running Windows;
// the Windows folder and locale; first or last in the boot menu.
class COsLoaderCreatePage : public CApplicationKindPage {
public:
    explicit COsLoaderCreatePage(NewEntryWizardState& state) : CApplicationKindPage(IDD_CREATE_OS_LOADER, state) {}

protected:
    void Fill() override;
    void Read(NewEntry& entry) const override;
    std::string Check(const NewEntry& entry) const override;
    void EnableFields() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void BrowseForVirtualDisk();
};
