#include "dialogs/COsLoaderCreatePage.h"

#include "exec/ToolCommand.h"
#include "framework/FileDialog.h"

void COsLoaderCreatePage::Fill()
{
    SetText(IDC_NEW_DESCRIPTION, "Windows");
    // A store file has no running Windows to copy: {current} names nothing there.
    ::EnableWindow(GetDlgItem(IDC_NEW_COPY_RUNNING), StoreFileInUse().empty());
    SetChecked(IDC_NEW_ON_PARTITION, true);
    // The drive after the system's, where a second Windows usually is.
    FillDrives(IDC_NEW_DRIVE, m_state.volumes.size() > 1 ? m_state.volumes[1] : std::string());
    SetText(IDC_NEW_WINDOWS_FOLDER, "\\Windows");
    SetText(IDC_NEW_LOCALE, m_state.locale);
    SetChecked(IDC_NEW_ADD_LAST, true);
}

void COsLoaderCreatePage::EnableFields()
{
    bool copy = Checked(IDC_NEW_COPY_RUNNING);
    bool vhd = Checked(IDC_NEW_IN_VHD);
    for (int id : {IDC_NEW_ON_PARTITION, IDC_NEW_IN_VHD, IDC_NEW_WINDOWS_FOLDER, IDC_NEW_LOCALE})
        ::EnableWindow(GetDlgItem(id), !copy);
    ::EnableWindow(GetDlgItem(IDC_NEW_DRIVE), !copy && !vhd);
    ::EnableWindow(GetDlgItem(IDC_NEW_VHD_FILE), !copy && vhd);
    ::EnableWindow(GetDlgItem(IDC_NEW_BROWSE), !copy && vhd);
}

void COsLoaderCreatePage::Read(NewEntry& entry) const
{
    entry.kind = Checked(IDC_NEW_COPY_RUNNING) ? NewEntryKind::WindowsCopy : NewEntryKind::Windows;
    entry.description = Text(IDC_NEW_DESCRIPTION);
    if (Checked(IDC_NEW_IN_VHD))
        entry.vhdFile = Text(IDC_NEW_VHD_FILE);
    else
        entry.drive = ChosenDrive(IDC_NEW_DRIVE);
    entry.windowsFolder = Text(IDC_NEW_WINDOWS_FOLDER);
    entry.locale = Text(IDC_NEW_LOCALE);
    entry.addToMenu = true;
    entry.addFirst = Checked(IDC_NEW_ADD_FIRST);
}

std::string COsLoaderCreatePage::Check(const NewEntry& entry) const
{
    if (entry.kind == NewEntryKind::Windows && Checked(IDC_NEW_IN_VHD) && entry.vhdFile.empty())
        return "Choose the virtual disk file that holds Windows.";
    return CheckNewWindows(entry, m_state.volumes, m_state.exists);
}

void COsLoaderCreatePage::BrowseForVirtualDisk()
{
    std::string file = AskForFile(m_hWnd, "Virtual Disk with Windows",
                                  "Virtual disks (*.vhdx;*.vhd)\0*.vhdx;*.vhd\0All files (*.*)\0*.*\0", Text(IDC_NEW_VHD_FILE));
    if (!file.empty())
        SetText(IDC_NEW_VHD_FILE, file);
}

bool COsLoaderCreatePage::OnCommand(WORD id, WORD code, HWND control)
{
    if (id == IDC_NEW_BROWSE && code == BN_CLICKED) {
        BrowseForVirtualDisk();
        return true;
    }
    return CApplicationKindPage::OnCommand(id, code, control);
}
