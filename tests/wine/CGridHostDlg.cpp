#include "tests/wine/CGridHostDlg.h"

#include "catalogue/BcdType.h"
#include "catalogue/ElementCatalogue.h"
#include "controls/FillPropertyGrid.h"
#include "common/UserNotice.h"
#include "controls/GridMessages.h"
#include "winexec/ToolRunner.h"
#include "tests/wine/GridHostIds.h"

CGridHostDlg::CGridHostDlg() : CDialog(IDD_GRID_HOST, nullptr)
{
    for (UINT message : {WM_XLISTCTRL_EDIT_END, WM_XLISTCTRL_COMBO_SELECTION}) {
        OnRegisteredMessage(message, [this, message](WPARAM row, LPARAM column) {
            m_notices.push_back(Notice{message, static_cast<int>(row), static_cast<int>(column)});
            return LRESULT(0);
        });
    }
}

CGridHostDlg::~CGridHostDlg()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CGridHostDlg::BuildObject()
{
    SetNoticeSink([this](const std::string& text, NoticeKind) { m_error += text + "\n"; });
    if (!LoadElementCatalogue("keystavedata.xml"))
        return;
    m_model = std::make_unique<CStoreModel>(
        [](const std::string& arguments) { return ToolRunner("BCDEDIT.EXE", arguments); });
    m_model->EnumerateStore();
    m_model->RefreshDebugSettings();
    std::vector<const CBcdObject*> objects;
    if (m_model->GetBootManager())
        objects.push_back(m_model->GetBootManager());
    for (const auto& loader : m_model->GetLoaders())
        objects.push_back(loader.get());
    if (m_model->GetDebugSettings())
        objects.push_back(m_model->GetDebugSettings());
    // The first item of each value type, in type order.
    for (int type = 0; type < kBcdTypeCount; ++type) {
        for (const CBcdObject* object : objects) {
            const CBcdItem* found = nullptr;
            for (const auto& item : object->GetItems())
                if (item.GetType() == type) {
                    found = &item;
                    break;
                }
            if (!found)
                continue;
            m_object.AddItem(CBcdItem(*found));
            break;
        }
    }
}

int CGridHostDlg::RowOfType(int type) const
{
    for (size_t i = 0; i < m_object.GetItems().size(); ++i)
        if (m_object.GetItems()[i].GetType() == type)
            return static_cast<int>(i);
    return -1;
}

BOOL CGridHostDlg::OnInitDialog()
{
    BuildObject();
    m_grid.Attach(GetDlgItem(IDC_GRID));
    m_empty.Attach(GetDlgItem(IDC_EMPTY_GRID));
    FillPropertyGrid(m_grid, &m_object, true);
    FillPropertyGrid(m_empty, nullptr, false);
    return TRUE;
}
