#pragma once
#include <set>
#include <string>
#include <vector>

#include "controls/CXListCtrl.h"
#include "exec/CSession.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "model/CStoreModel.h"
#include "model/LoaderListRows.h"
#include "winexec/RestartWindows.h"

// The program's main window (dialog 102): the boot loader entries, the boot
// manager's elements and the global debugger settings, read from the tool.
class CKeystaveDlg : public CDialog {
public:
    // Every run of the tool goes through `session`, which the windows it
    // opens are handed in turn.
    CKeystaveDlg(CSession& session, HWND parent);
    ~CKeystaveDlg() override;
    // A store file to show from the start (the command line's "/store").
    void OpenAtStart(const std::string& storeFile) { m_startStore = storeFile; }
    // How a restart is asked for after a one-time start was set.
    void SetRestartRequest(RestartRequest restart) { m_restart = std::move(restart); }

    static const char* const kCaption;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool HandleCommand(WORD id);
    void AddAboutMenuItem();
    void SetUpLoaderList();
    // Reads the listing and the debugger settings at once and fills each
    // part of the window as its read is in.
    bool RefreshStore();
    // Shows a store file, or this PC's store with an empty path. A store
    // that cannot be read is said so, and the one shown before stays.
    bool ShowStore(const std::string& path);
    void OpenStoreFile();
    // The window's title and the line above the lists name the store shown.
    void ShowStoreName();
    // After a listing that did not end with success: the entry read again on
    // its own before a window may change it; false when that failed too.
    bool EntryReadAgain(CBcdObject& entry);
    std::string UnverifiedEntryText(const CBcdObject& entry) const;
    // Reads the store again and refills the loader list and both grids.
    void RefreshAll();
    void FillGrids();
    void FillLoaderList();
    CBcdBootLoader* SelectedLoader() const;
    CBcdBootLoader* LoaderOfRow(int row) const;
    void ShowQuickSettings();
    // Both safe-mode elements gone from the selected entry: it starts normally.
    void LeaveSafeMode();
    void UpdateSafeModeButton();
    void ShowLoaderMenu();
    void ShowLoaderMenuAtSelection();
    void ShowLoaderMenuAt(POINT point);
    void ShowLoaderProperties();
    void CloneLoader();
    void DeleteLoader();
    void ModifyDebugSettings();
    void ModifyBootManager();
    void CreateEntry();
    // Every object of the store in the list, or the two menus only.
    void ShowAllEntries(bool all);
    void ShowFirmwareMenu();
    // The selected entry at the next start only, then the question to restart.
    void RestartIntoOnce();
    void CancelOneTime();
    void MakeDefault();
    // The boot manager's pending one-time start, with its way out.
    void ShowOneTime();
    std::string OneTimeEntry() const;
    void ShowBackups();
    void ShowHistory();
    // Compares the changes the tool confirmed with the store just read, and
    // tells the user of any that did not take effect.
    void CheckConfirmedChanges();
    // The loader list's notes: the default entry and the one running now.
    void MarkEntries();
    void ShowStatus(const std::string& text);
    LRESULT OnToolBusy(bool busy, const char* text);
    // The listing into the model; false, with the reason said, when it held no store.
    bool ReadListing();
    // The reads of start-up, all begun at once.
    static std::vector<std::string> StartUpReads();
    // Empties the entry list before the loaders its rows point at go.
    void ClearLoaderList();
    // A row's text, as the list asks for it.
    void GiveLoaderText(LVITEMA& item) const;
    bool CloseAsked();
    // The session's first backup, said once on the status line.
    void MentionFirstBackup();
    // Says that the store's listing had no such object to open a window on.
    void TellNothingListed(const char* what);
    void OnPaint();
    // Resizing: the template's rectangles, moved and stretched by the
    // window's growth; the template's size is the least.
    void MakeResizable();
    void LayOut(int width, int height);
    RECT RectOf(int id) const;
    void FitLastColumns();

    CSession& m_session;
    HICON m_hIcon;
    CStoreModel m_model;
    CListCtrl m_loaderList;
    std::vector<LoaderListRow> m_loaderRows;
    std::string m_readFailure;
    std::string m_listingNotice;  // why the last listing may be incomplete
    struct ChildRect {
        HWND window;
        RECT rect;
    };
    std::vector<ChildRect> m_templateRects;
    SIZE m_templateClient = {};
    SIZE m_minimumSize = {};  // why the last enumeration found no boot manager
    CXListCtrl m_bootGrid;
    CXListCtrl m_debugGrid;
    std::set<std::string> m_mentionedBackups;  // each store's, told once on the status line
    std::string m_startStore;       // the store file the command line named
    RestartRequest m_restart = RequestRestart;
    // Runs of the tool in progress (nested when a wait answers a message
    // that runs another), the status line they replaced, and a close asked
    // for during one.
    int m_toolRuns = 0;
    bool m_tellAfterRun = false;  // a read's failure, told once the run is over
    std::string m_statusBeforeRun, m_runStatus;
    bool m_closeAfterRun = false;
    WORD m_endAfterRun = 0;
};
