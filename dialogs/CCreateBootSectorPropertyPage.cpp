#include "dialogs/CCreateBootSectorPropertyPage.h"

void CCreateBootSectorPropertyPage::Fill()
{
    SetText(IDC_NEW_DESCRIPTION, "Linux");
    FillDrives(IDC_NEW_DRIVE, m_state.volumes.empty() ? std::string() : m_state.volumes.front());
    SetText(IDC_NEW_BOOT_FILE, "\\grub.bin");
    SetChecked(IDC_NEW_ADD_TO_MENU, true);
}

void CCreateBootSectorPropertyPage::Read(NewEntry& entry) const
{
    entry.kind = NewEntryKind::BootSector;
    entry.description = Text(IDC_NEW_DESCRIPTION);
    entry.drive = ChosenDrive(IDC_NEW_DRIVE);
    entry.bootFile = Text(IDC_NEW_BOOT_FILE);
    entry.addToMenu = Checked(IDC_NEW_ADD_TO_MENU);
}

std::string CCreateBootSectorPropertyPage::Check(const NewEntry& entry) const
{
    return CheckNewBootSector(entry, m_state.volumes, m_state.exists);
}
