#pragma once
#include "framework/CPropertyPage.h"

// The create-entry wizard's first page: which kind of application entry to
// create, and so which page Next leads to.
class CSelectApplicationPropertyPage : public CPropertyPage {
public:
    CSelectApplicationPropertyPage();

protected:
    bool OnSetActive() override;
    LRESULT OnWizardNext() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    int ReadKind() const;

    int m_kind = -1;       // 0 boot sector, 1 OS loader, 2 resume, -1 none
    LRESULT m_nextPage = -1;
};
