#include "framework/CPropertyPage.h"

#include "framework/AnsiTextGuard.h"

#include "framework/CDialog.h"
#include "framework/CWinApp.h"

CPropertyPage::CPropertyPage(UINT templateId) : m_templateId(templateId) {}

PROPSHEETPAGEA CPropertyPage::Description()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = CWinApp::Instance();
    page.pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

void CPropertyPage::SetWizardButtons(DWORD flags)
{
    ::SendMessageA(Sheet(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

bool CPropertyPage::OnCommand(WORD, WORD, HWND) { return false; }

bool CPropertyPage::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CPropertyPage* self;
    if (message == WM_INITDIALOG) {
        // The sheet hands over its copy of the description.
        auto* page = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        self = reinterpret_cast<CPropertyPage*>(page->lParam);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CPropertyPage*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    INT_PTR answer = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return answer;
}

bool CPropertyPage::OnSheetNotify(const NMHDR& header, LRESULT& result)
{
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

INT_PTR CPropertyPage::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    bool handled = false;
    switch (message) {
    case WM_INITDIALOG: {
        INT_PTR focusDefault = OnInitDialog();
        GuardAnsiTextOfChildren(m_hWnd);
        return focusDefault;
    }
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                          : FALSE;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom == Sheet())
            handled = OnSheetNotify(*header, result);
        break;
    }
    default:
        break;
    }
    if (!handled)
        handled = OnMessage(message, wParam, lParam, result);
    return handled ? DialogAnswer(m_hWnd, message, result) : FALSE;
}
