#pragma once
#include "framework/CDialog.h"

class CBcdItem;
class CBcdObject;

// Edits the page frame numbers of a "BadMemoryList" element in memory: on
// OK the element's values become the window's list, in its order.
class CModifyPagesDlg : public CDialog {
public:
    CModifyPagesDlg(CBcdItem& item, const CBcdObject& loader, HWND parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void AddPage();
    void DeletePages();

    CBcdItem& m_item;
    const CBcdObject& m_loader;  // kept, as the caller gives it
};
