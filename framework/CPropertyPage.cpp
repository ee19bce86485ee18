#include "framework/CPropertyPage.h"

#include "framework/CWinApp.h"

CPropertyPage::CPropertyPage(UINT templateId) : m_templateId(templateId) {}

PROPSHEETPAGEA CPropertyPage::Description()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = CWinApp::Instance();
    page.pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page.pfnDlgProc = Procedure<FromInit>;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void CPropertyPage::SetWizardButtons(DWORD flags)
{
    ::SendMessageA(Sheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

CDialogWindow* CPropertyPage::FromInit(LPARAM lParam)
{
    // The sheet hands over its copy of the description.
    return reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
}

bool CPropertyPage::OnOwnNotify(NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom != Sheet())
        return false;
    switch (header.code) {
    case PSN_SETACTIVE: result = OnSetActive() ? 0 : -1; return true;
    case PSN_KILLACTIVE: result = OnKillActive() ? FALSE : TRUE; return true;
    case PSN_WIZNEXT: result = OnWizardNext(); return true;
    case PSN_WIZBACK: result = OnWizardBack(); return true;
    case PSN_WIZFINISH: result = OnWizardFinish() ? FALSE : TRUE; return true;
    case PSN_RESET: OnReset(); result = 0; return true;
    default: return false;
    }
}
