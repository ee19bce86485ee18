#include "dialogs/CCreateResumeApplicationPage.h"

#include "framework/CComboBox.h"
#include "model/CBcdObject.h"

void CCreateResumeApplicationPage::Fill()
{
    m_without = EntriesWithoutResume(m_state.windows, m_state.entryExists);
    CComboBox entries(GetDlgItem(IDC_NEW_FOR_ENTRY));
    for (const CBcdObject* entry : m_without)
        entries.AddString(entry->GetDescription() + "  " + entry->GetIdentifier());
    entries.SetCurSel(m_without.empty() ? -1 : 0);
    SetText(IDC_NEW_DESCRIPTION, "Windows Resume Application");
    SetText(IDC_NEW_WINDOWS_FOLDER, "\\Windows");
    FillDrives(IDC_NEW_DRIVE, std::string());
    ChooseDriveOfEntry();
}

void CCreateResumeApplicationPage::ChooseDriveOfEntry()
{
    int at = CComboBox(GetDlgItem(IDC_NEW_FOR_ENTRY)).GetCurSel();
    if (at < 0 || static_cast<size_t>(at) >= m_without.size())
        return;
    std::string value = m_without[static_cast<size_t>(at)]->FirstValueOf("osdevice");
    if (value.rfind("partition=", 0) == 0)
        FillDrives(IDC_NEW_DRIVE, value.substr(10));
}

void CCreateResumeApplicationPage::Read(NewEntry& entry) const
{
    entry.kind = NewEntryKind::Resume;
    int at = CComboBox(GetDlgItem(IDC_NEW_FOR_ENTRY)).GetCurSel();
    if (at >= 0 && static_cast<size_t>(at) < m_without.size())
        entry.forEntry = m_without[static_cast<size_t>(at)]->GetIdentifier();
    entry.description = Text(IDC_NEW_DESCRIPTION);
    entry.drive = ChosenDrive(IDC_NEW_DRIVE);
    entry.windowsFolder = Text(IDC_NEW_WINDOWS_FOLDER);
}

std::string CCreateResumeApplicationPage::Check(const NewEntry& entry) const
{
    if (m_without.empty())
        return "Every Windows entry of the store has its resume entry: there is none to make.";
    return CheckNewResume(entry, m_state.volumes);
}

bool CCreateResumeApplicationPage::OnCommand(WORD id, WORD code, HWND control)
{
    if (id == IDC_NEW_FOR_ENTRY && code == CBN_SELCHANGE)
        ChooseDriveOfEntry();
    return CApplicationKindPage::OnCommand(id, code, control);
}
