#include "dialogs/CApplicationKindPage.h"

#include "res/resource.h"

bool CApplicationKindPage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK);
    return true;
}

LRESULT CApplicationKindPage::OnWizardBack() { return IDD_SELECT_APPLICATION; }

bool CApplicationKindPage::OnCommand(WORD id, WORD code, HWND)
{
    // The page's own Cancel leaves the wizard, as the wizard's does.
    if (id != IDCANCEL || code != BN_CLICKED)
        return false;
    ::SendMessageA(Sheet(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return true;
}
