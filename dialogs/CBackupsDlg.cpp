#include "dialogs/CBackupsDlg.h"
#include "framework/MessageBoxes.h"


#include "controls/CXListCtrl.h"
#include "framework/FileDialog.h"
#include "exec/BackupFiles.h"
#include "dialogs/CCommandLogDlg.h"
#include "dialogs/WindowWritePath.h"
#include "res/resource.h"

namespace {
const char kCaption[] = "Backups and Restore";
}

CBackupsDlg::CBackupsDlg(CSession& session, HWND parent)
    : CDialog(IDD_BACKUPS, parent), m_session(session)
{
    OnNotify(IDC_BACKUP_LIST, LVN_ITEMCHANGED, [this](NMHDR&) {
        UpdateButtons();
        return LRESULT(0);
    });
    OnNotify(IDC_BACKUP_LIST, NM_DBLCLK, [this](NMHDR&) {
        RestoreSelected();
        return LRESULT(0);
    });
}

BOOL CBackupsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.Bind(GetDlgItem(IDC_BACKUP_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertGridColumns(m_list, {12, 10, 10}, {"Date", "Time", "Size", "File"});
    std::string why;
    m_folder = BackupFolder(why);
    ::SetDlgItemTextA(m_hWnd, IDC_BACKUP_FOLDER, (m_folder.empty() ? why : m_folder).c_str());
    FillList();
    return TRUE;
}

void CBackupsDlg::FillList()
{
    m_list.DeleteAllItems();
    m_backups = m_folder.empty() ? std::vector<BackupFile>() : ListBackups(m_folder);
    for (size_t i = 0; i < m_backups.size(); ++i) {
        const BackupFile& backup = m_backups[i];
        int row = m_list.InsertItem(static_cast<int>(i), DateText(backup.time), static_cast<LPARAM>(i));
        m_list.SetItemText(row, 1, TimeText(backup.time));
        m_list.SetItemText(row, 2, FileSizeText(backup.size));
        // A store file's copy says which store it came from.
        std::string origin = StoreFileOfCopy(backup.path);
        m_list.SetItemText(row, 3, origin.empty() ? backup.name : backup.name + "  (" + origin + ")");
    }
    if (!m_backups.empty())
        m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    UpdateButtons();
}

void CBackupsDlg::UpdateButtons()
{
    ::EnableWindow(GetDlgItem(IDC_RESTORE), m_list.GetSelectedRow() >= 0);
}

bool CBackupsDlg::OnCommand(WORD id, WORD, HWND)
{
    switch (id) {
    case IDC_BACKUP_NOW: BackUpNow(); return true;
    case IDC_RESTORE: RestoreSelected(); return true;
    case IDC_RESTORE_FILE: RestoreFromFile(); return true;
    default: return false;
    }
}

// Enter: the window has no OK, and the only restore it reports is one that ran.
void CBackupsDlg::OnOK()
{
    if (::GetFocus() == GetDlgItem(IDC_BACKUP_LIST))
        RestoreSelected();
}

void CBackupsDlg::BackUpNow()
{
    BackupResult backup = m_session.BackUp();
    if (!backup.made) {
        CCommandLogDlg log(backup.path.empty() ? std::string("(no backup file)") : "/export \"" + backup.path + "\"",
                           backup.lines, m_hWnd);
        log.DoModal();
        return;
    }
    FillList();
}

void CBackupsDlg::RestoreSelected()
{
    int row = m_list.GetSelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= m_backups.size())
        return;
    Restore(m_backups[static_cast<size_t>(row)].path);
}

void CBackupsDlg::RestoreFromFile()
{
    std::string path = AskForFile(m_hWnd, "Restore from File", "Backups (*.bak)\0*.bak\0All files (*.*)\0*.*\0",
                                  m_folder);
    if (!path.empty())
        Restore(path);
}

void CBackupsDlg::Restore(const std::string& path)
{
    LocalTime time;
    std::string moment = FileMoment(path, time) ? DateText(time) + " at " + TimeText(time) : std::string("an unknown time");
    // A store file's copy goes back into that file, never into this PC's store.
    std::string origin = StoreFileOfCopy(path);
    if (!origin.empty()) {
        RestoreStoreFile(path, origin, moment);
        return;
    }
    if (!BackupStoreName(FileNameOfPath(path)).empty()) {
        ShowError(m_hWnd, "This backup is a copy of a store file, and where it came from is not known:\n\n" + path +
                              "\n\nIt is not put into this PC's store.");
        return;
    }
    std::string question = "Restore the backup of " + moment + "?\n\n" + path +
                           "\n\nThe boot configuration of this PC is replaced by the backup's: every "
                           "change made since then is lost.";
    if (!AskYesNo(m_hWnd, question, kCaption))
        return;
    if (!WindowWritePath(m_session, m_hWnd).Run(ImportStoreCommand(path)).succeeded)
        return;
    m_restoredMoment = moment;
    EndDialog(IDOK);
}

void CBackupsDlg::RestoreStoreFile(const std::string& copy, const std::string& storeFile, const std::string& moment)
{
    std::string question = "Restore the backup of " + moment + "?\n\n" + copy + "\n\nThe store file " + storeFile +
                           " is replaced by this copy: every change made to it since then is lost.";
    if (!AskYesNo(m_hWnd, question, kCaption))
        return;
    if (!::CopyFileA(copy.c_str(), storeFile.c_str(), FALSE)) {
        ShowError(m_hWnd, "The copy could not be put back into " + storeFile + ":\n\n" + SystemErrorText(::GetLastError()));
        return;
    }
    m_restoredMoment = moment;
    EndDialog(IDOK);
}
