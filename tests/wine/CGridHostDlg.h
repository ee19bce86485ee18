#pragma once
#include <memory>
#include <string>
#include <vector>

#include "controls/CXListCtrl.h"
#include "framework/CDialog.h"
#include "model/CBcdBootLoader.h"
#include "model/CStoreModel.h"

// A dialog that hosts two grids: one filled, editable, with one row per
// value type that the simulator's sample store shows, one left empty.
class CGridHostDlg : public CDialog {
public:
    CGridHostDlg();
    ~CGridHostDlg() override;

    struct Notice {
        UINT message;
        int row;
        int column;
    };

    CXListCtrl& Grid() { return m_grid; }
    CXListCtrl& EmptyGrid() { return m_empty; }
    const std::vector<Notice>& Notices() const { return m_notices; }
    void ClearNotices() { m_notices.clear(); }
    // The row showing the item of that value type, or -1.
    int RowOfType(int type) const;
    const std::string& LoadError() const { return m_error; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override { ::DestroyWindow(m_hWnd); }
    void OnOK() override { ::DestroyWindow(m_hWnd); }

private:
    void BuildObject();

    std::unique_ptr<CStoreModel> m_model;
    CBcdBootLoader m_object;
    CXListCtrl m_grid;
    CXListCtrl m_empty;
    std::vector<Notice> m_notices;
    std::string m_error;
};
