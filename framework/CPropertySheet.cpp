#include "framework/CPropertySheet.h"

#include "framework/CDialog.h"
#include "framework/CPropertyPage.h"
#include "framework/CWinApp.h"

namespace {
// The sheet whose window is being created: the callback has no user data.
CPropertySheet* g_creating = nullptr;
}

namespace {

const UINT_PTR kCentreTimer = 0x4B53;

void CentreSheet(HWND sheet)
{
    CWnd window(sheet);
    window.CenterWindow();
}

// Once the sheet has its final size, it is centred again.
void CALLBACK CentreSheetLater(HWND sheet, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(sheet, id);
    CentreSheet(sheet);
}

}  // namespace

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT message, LPARAM)
{
    if (message != PSCB_INITIALIZED)
        return 0;
    if (g_creating)
        g_creating->m_hWnd = hwnd;
    // Like every other window, over its owner rather than at the screen's corner.
    CentreSheet(hwnd);
    ::SetTimer(hwnd, kCentreTimer, 0, CentreSheetLater);
    return 0;
}

INT_PTR CPropertySheet::Run(bool modeless)
{
    std::vector<PROPSHEETPAGEA> pages;
    for (CPropertyPage* page : m_pages)
        pages.push_back(page->Description());
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOAPPLYNOW |
                     (m_wizard ? PSH_WIZARD : 0) | (modeless ? PSH_MODELESS : 0);
    header.hwndParent = m_parent ? m_parent : CDialog::DefaultOwner();
    header.hInstance = CWinApp::Instance();
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    g_creating = this;
    INT_PTR result = ::PropertySheetA(&header);
    g_creating = nullptr;
    if (modeless)
        return result;
    m_hWnd = nullptr;
    if (m_wizard)
        return result > 0 ? ID_WIZFINISH : IDCANCEL;
    return result > 0 ? IDOK : IDCANCEL;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
        return IDCANCEL;
    return Run(false);
}

bool CPropertySheet::Create()
{
    return !m_pages.empty() && Run(true) != 0 && m_hWnd != nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    return page ? static_cast<int>(SendMessage(PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page))) : -1;
}
