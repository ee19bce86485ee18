#include "dialogs/CBootManagerPropertiesDlg.h"

#include "catalogue/ElementDefinition.h"
#include "catalogue/ValueSet.h"
#include "common/TextCompare.h"
#include "dialogs/CModifyOrderDlg.h"
#include "model/ReloadObject.h"
#include "res/resource.h"

CBootManagerPropertiesDlg::CBootManagerPropertiesDlg(CSession& session, CBcdBootManager& manager,
                                                     const std::vector<const CBcdObject*>& loaders,
                                                     HWND parent)
    : CObjectPropertiesDlg(session, IDD_BOOTMGR_PROPERTIES, IDC_BOOTMGR_PROPERTY_GRID, manager,
                           kContextManager, WM_SHOW_LIST, parent),
      m_manager(manager),
      m_loaders(loaders)
{
}

CBootManagerPropertiesDlg::~CBootManagerPropertiesDlg()
{
    // Grid cells refer to the candidates: the grid goes first.
    if (m_grid.GetSafeHwnd())
        m_grid.DeleteAllItems();
    DefaultCandidates().clear();
}

BOOL CBootManagerPropertiesDlg::OnInitDialog()
{
    std::vector<std::string> identifiers;
    for (const CBcdObject* loader : m_loaders)
        identifiers.push_back(loader->GetIdentifier());
    RebuildDefaultCandidates(m_manager.GetDefault(), identifiers);
    return CObjectPropertiesDlg::OnInitDialog();
}

bool CBootManagerPropertiesDlg::ReadObjectAgain(const std::function<void()>& beforeReplace)
{
    return ::ReloadObject(m_manager, RunThrough(m_session), beforeReplace);
}

bool CBootManagerPropertiesDlg::OpensListWindow(const CBcdItem& item) const
{
    return item.GetValueCount() != 1;
}

void CBootManagerPropertiesDlg::ShowListWindow(int row, CBcdItem& item)
{
    if (!EqualsNoCase(item.GetName(), "displayorder"))
        return;
    CModifyOrderDlg order(item, m_loaders, m_hWnd);
    if (order.DoModal() == IDOK)
        ShowChangedList(row, item);
}
