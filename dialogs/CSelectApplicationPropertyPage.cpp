#include "dialogs/CSelectApplicationPropertyPage.h"

#include "framework/CButton.h"
#include "res/resource.h"

namespace {
const int kKindButtons[] = {IDC_KIND_BOOT_SECTOR, IDC_KIND_OS_LOADER, IDC_KIND_RESUME};
const LRESULT kKindPages[] = {IDD_CREATE_BOOT_SECTOR, IDD_CREATE_OS_LOADER, IDD_CREATE_RESUME};
}  // namespace

CSelectApplicationPropertyPage::CSelectApplicationPropertyPage()
    : CPropertyPage(IDD_SELECT_APPLICATION)
{
}

int CSelectApplicationPropertyPage::ReadKind() const
{
    for (int kind = 0; kind < 3; ++kind)
        if (CButton(::GetDlgItem(m_hWnd, kKindButtons[kind])).GetCheck() == BST_CHECKED)
            return kind;
    return -1;
}

bool CSelectApplicationPropertyPage::OnSetActive()
{
    m_kind = ReadKind();
    SetWizardButtons(m_kind != -1 ? PSWIZB_NEXT : 0);
    return true;
}

LRESULT CSelectApplicationPropertyPage::OnWizardNext()
{
    m_kind = ReadKind();
    return m_nextPage;
}

bool CSelectApplicationPropertyPage::OnCommand(WORD id, WORD code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    for (int kind = 0; kind < 3; ++kind) {
        if (id == kKindButtons[kind]) {
            SetWizardButtons(PSWIZB_NEXT);
            m_nextPage = kKindPages[kind];
            return true;
        }
    }
    return false;
}
