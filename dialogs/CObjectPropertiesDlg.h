#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/CXListCtrl.h"
#include "exec/CSession.h"
#include "framework/CDialog.h"
#include "model/PropertyWrites.h"

class CBcdItem;
class CBcdObject;

// What the boot loader and the boot manager property windows share: a grid
// of the object's elements edited in place, Add and Delete Property (each
// sent at once, then the object read again), and on OK one "/set" per
// changed row.
class CObjectPropertiesDlg : public CDialog {
public:
    // `listMessage`: the message the window posts itself to open a row's
    // list window.
    CObjectPropertiesDlg(CSession& session, UINT templateId, int gridId, CBcdObject& object,
                         uint16_t contexts, UINT listMessage, HWND parent);

    // Before OnInitDialog: the window shows the entry and changes nothing,
    // and says `why` when it opens.
    void OpenReadOnly(const std::string& why) { m_readOnlyWhy = why; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

    // Reads the object again with the tool; false, with the object as it
    // was, when the tool gave no section of its kind.
    virtual bool ReadObjectAgain(const std::function<void()>& beforeReplace) = 0;
    // Whether a choice in the row's drop-down opens the row's list window.
    virtual bool OpensListWindow(const CBcdItem& item) const = 0;
    // The list window of the selected row, after the grid finished the choice.
    virtual void ShowListWindow(int row, CBcdItem& item) = 0;

    // Reads the object again into the grid; when that fails the window says
    // so and keeps showing the elements it had.
    void ReloadObject();
    void FillGrid();
    CBcdItem* ItemOfRow(int row) const;
    // After a list window changed the row's values in place.
    void ShowChangedList(int row, const CBcdItem& item);

    CSession& m_session;  // every run of the tool goes through it
    CXListCtrl m_grid;
    CBcdObject& m_object;

private:
    std::vector<GridRowState> RowStates() const;
    // Edits not yet sent, set again on the rows of a re-read entry.
    void RestorePendingEdits(const std::vector<PendingEdit>& edits);
    void AddProperty();
    void DeleteProperty();
    LRESULT OnComboSelection(int row, int column);
    LRESULT OnShowList(int row);

    int m_gridId;
    UINT m_listMessage;
    uint16_t m_contexts;
    bool m_listOpen = false;
    bool m_sentSome = false;  // an OK that stopped at a failure had sent these
    std::string m_readOnlyWhy;
};

// Posted by a property window to itself: open the list window of row wParam.
extern const UINT WM_SHOW_INTEGER_LIST;
extern const UINT WM_SHOW_LIST;
