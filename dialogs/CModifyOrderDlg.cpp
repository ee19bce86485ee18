#include "dialogs/CModifyOrderDlg.h"

#include "common/TextCompare.h"
#include "controls/CXListCtrl.h"
#include "framework/CWinApp.h"
#include "model/CBcdItem.h"
#include "model/CBcdObject.h"
#include "model/DisplayOrderDrop.h"
#include "res/resource.h"

CModifyOrderDlg::CModifyOrderDlg(CBcdItem& item, const std::vector<const CBcdObject*>& loaders,
                                 HWND parent)
    : CDialog(IDD_MODIFY_ORDER, parent), m_item(item), m_loaders(loaders)
{
    OnNotify(IDC_ORDER_LIST, LVN_BEGINDRAG, [this](NMHDR& header) {
        return BeginDrag(reinterpret_cast<NMLISTVIEW&>(header));
    });
}

CModifyOrderDlg::~CModifyOrderDlg() = default;

BOOL CModifyOrderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.Bind(GetDlgItem(IDC_ORDER_LIST));
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertGridColumns(m_list, {32}, {"Guid", "Description"});
    const std::vector<std::string> values = m_item.GetValues();
    for (size_t i = 0; i < values.size(); ++i) {
        int row = m_list.InsertItem(static_cast<int>(i), values[i], 0);
        for (const CBcdObject* loader : m_loaders)
            if (EqualsNoCase(loader->GetIdentifier(), values[i])) {
                m_list.SetItemText(row, 1, loader->GetDescription());
                m_list.SetItemData(row, static_cast<LPARAM>(i));
            }
    }
    return TRUE;
}

LRESULT CModifyOrderDlg::BeginDrag(const NMLISTVIEW& start)
{
    m_dragIndex = start.iItem;
    POINT origin = {};
    m_dragImage.Reset(m_list.CreateDragImage(m_dragIndex, origin));
    if (!m_dragImage)
        return 0;
    int selected = m_list.GetSelectedCount();
    CGdiBitmap picture(::LoadBitmapA(CWinApp::Instance(),
                                     MAKEINTRESOURCEA(selected > 1 ? IDB_DRAG_MANY : IDB_DRAG_ONE)));
    if (picture)
        ::ImageList_Replace(m_dragImage.Get(), 0, picture.Get(), picture.Get());
    POINT screen = start.ptAction;
    ::ClientToScreen(m_list, &screen);
    ::ImageList_BeginDrag(m_dragImage.Get(), 0, -10, -14);
    ::ImageList_DragEnter(::GetDesktopWindow(), screen.x, screen.y);
    m_dropIndex = -1;
    m_dragging = true;
    ::SetCapture(m_hWnd);
    return 0;
}

void CModifyOrderDlg::SetDropHighlight(int row, bool on)
{
    if (row < 0)
        return;
    m_list.SetItemState(row, on ? LVIS_DROPHILITED : 0, LVIS_DROPHILITED);
    m_list.RedrawItems(row, row);
}

void CModifyOrderDlg::MoveDrag(POINT point)
{
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::ImageList_DragMove(screen.x, screen.y);
    ::ImageList_DragShowNolock(FALSE);
    SetDropHighlight(m_dropIndex, false);
    m_dropIndex = -1;
    if (::WindowFromPoint(screen) == m_list.GetSafeHwnd()) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        POINT client = screen;
        ::ScreenToClient(m_list, &client);
        m_dropIndex = m_list.HitTest(client);
        SetDropHighlight(m_dropIndex, true);
        ::UpdateWindow(m_list);
    } else {
        ::SetCursor(::LoadCursor(nullptr, IDC_NO));
    }
    ::ImageList_DragShowNolock(TRUE);
}

void CModifyOrderDlg::EndDrag(POINT point)
{
    ::ReleaseCapture();
    m_dragging = false;
    ::ImageList_DragLeave(::GetDesktopWindow());
    ::ImageList_EndDrag();
    m_dragImage.Reset();
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    if (::WindowFromPoint(screen) == m_list.GetSafeHwnd())
        DropItemOnList();
    else
        SetDropHighlight(m_dropIndex, false);
}

void CModifyOrderDlg::DropItemOnList()
{
    SetDropHighlight(m_dropIndex, false);
    std::vector<OrderRow> rows;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        rows.push_back(OrderRow{m_list.GetItemText(row, 0), m_list.GetItemText(row, 1), m_list.IsSelected(row)});
    DropRows(rows, m_dragIndex, m_dropIndex);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        int row = m_list.InsertItem(static_cast<int>(i), rows[i].identifier, 0);
        m_list.SetItemText(row, 1, rows[i].description);
        if (rows[i].selected)
            m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

bool CModifyOrderDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (!m_dragging)
        return false;
    if (message == WM_MOUSEMOVE) {
        MoveDrag(PointFromLParam(lParam));
        result = 0;
        return true;
    }
    if (message == WM_LBUTTONUP) {
        EndDrag(PointFromLParam(lParam));
        result = 0;
        return true;
    }
    return false;
}

void CModifyOrderDlg::OnOK()
{
    std::vector<std::string> values;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        values.push_back(m_list.GetItemText(row, 0));
    m_item.ReplaceValues(values);
    EndDialog(IDOK);
}
