#pragma once
#include <string>
#include <vector>

#include "winexec/ProgramSession.h"
#include "exec/CSession.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"

// "Backups and Restore": the session's backups, a backup now, and the store
// replaced by a backup. IDOK when a restore went through, so the caller
// reads the store again.
class CBackupsDlg : public CDialog {
public:
    CBackupsDlg(CSession& session, HWND parent);

    // What the restore put back, for the caller to say.
    const std::string& RestoredMoment() const { return m_restoredMoment; }
    bool Restored() const { return !m_restoredMoment.empty(); }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;

private:
    CSession& m_session;  // every run of the tool goes through it
    void FillList();
    void BackUpNow();
    void RestoreSelected();
    void RestoreFromFile();
    void Restore(const std::string& path);
    // A store file's copy, put back into that file after the same question.
    void RestoreStoreFile(const std::string& copy, const std::string& storeFile, const std::string& moment);
    void UpdateButtons();

    CListCtrl m_list;
    std::string m_folder;
    std::vector<BackupFile> m_backups;
    std::string m_restoredMoment;
};
