#pragma once
#include <vector>

#include "dialogs/CObjectPropertiesDlg.h"
#include "model/CBcdBootManager.h"

// The boot manager's elements, edited in place: the default entry chosen
// among the loaders, the display order in a drag-and-drop window.
class CBootManagerPropertiesDlg : public CObjectPropertiesDlg {
public:
    CBootManagerPropertiesDlg(CSession& session, CBcdBootManager& manager, const std::vector<const CBcdObject*>& loaders,
                              HWND parent);
    ~CBootManagerPropertiesDlg() override;

protected:
    BOOL OnInitDialog() override;
    bool ReadObjectAgain(const std::function<void()>& beforeReplace) override;
    bool OpensListWindow(const CBcdItem& item) const override;
    void ShowListWindow(int row, CBcdItem& item) override;

private:
    CBcdBootManager& m_manager;
    std::vector<const CBcdObject*> m_loaders;
};
