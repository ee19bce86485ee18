#include "dialogs/CBootLoaderPropertiesDlg.h"

#include "catalogue/ElementDefinition.h"
#include "common/TextCompare.h"
#include "dialogs/CModifyPagesDlg.h"
#include "model/ReloadObject.h"
#include "res/resource.h"

CBootLoaderPropertiesDlg::CBootLoaderPropertiesDlg(CSession& session, CBcdBootLoader& loader, HWND parent)
    : CObjectPropertiesDlg(session, IDD_LOADER_PROPERTIES, IDC_LOADER_GRID, loader, kContextLoader,
                           WM_SHOW_INTEGER_LIST, parent),
      m_loader(loader)
{
}

bool CBootLoaderPropertiesDlg::ReadObjectAgain(const std::function<void()>& beforeReplace)
{
    return ::ReloadObject(m_loader, RunThrough(m_session), beforeReplace);
}

bool CBootLoaderPropertiesDlg::OpensListWindow(const CBcdItem& item) const
{
    return item.GetValueCount() >= 1;
}

void CBootLoaderPropertiesDlg::ShowListWindow(int row, CBcdItem& item)
{
    if (!EqualsNoCase(item.GetName(), "BadMemoryList"))
        return;
    CModifyPagesDlg pages(item, m_loader, m_hWnd);
    if (pages.DoModal() == IDOK)
        ShowChangedList(row, item);
}
