#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/CDragReorder.h"
#include "exec/CSession.h"
#include "framework/CDialog.h"
#include "framework/CListCtrl.h"
#include "model/CStoreModel.h"
#include "model/FirmwareMenu.h"
#include "winexec/RestartWindows.h"

// "Firmware Boot Menu": the UEFI firmware's own menu from
// "/enum firmware /v", in its order. Rows are dragged into a new order;
// an entry is started once, taken out of the menu, or deleted. Each change
// is one command, sent at once, and the menu is read again after it. IDOK
// when anything was changed.
class CFirmwareMenuDlg : public CDialog {
public:
    CFirmwareMenuDlg(CSession& session, RestartRequest restart, HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void ReadMenu();
    void FillList();
    void ShowState();
    void UpdateButtons();
    const FirmwareMenuEntry* SelectedEntry() const;
    void Dropped(int dragIndex, int dropIndex);
    void StartOnce();
    void CancelOnce();
    void RemoveFromMenu();
    void DeleteEntry();
    // One command through the window's write path; the menu is read again
    // after one the tool confirmed.
    bool Send(const ToolCommand& command);
    void Select(const std::string& identifier);

    CSession& m_session;
    RestartRequest m_restart;
    CStoreModel m_model;
    FirmwareMenu m_menu;
    std::string m_readFailure;  // why there is no menu to show, if that is so
    CListCtrl m_list;
    CDragReorder m_drag;
    bool m_changed = false;
};
