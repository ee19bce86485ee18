#include "controls/CDragReorder.h"

#include "framework/CWinApp.h"
#include "res/resource.h"

LRESULT CDragReorder::Begin(HWND owner, const NMLISTVIEW& start)
{
    m_owner = owner;
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
    ::SetCapture(m_owner);
    return 0;
}

bool CDragReorder::OnMessage(UINT message, LPARAM lParam)
{
    if (!m_dragging)
        return false;
    if (message == WM_MOUSEMOVE) {
        Move(PointFromLParam(lParam));
        return true;
    }
    if (message == WM_LBUTTONUP) {
        End(PointFromLParam(lParam));
        return true;
    }
    return false;
}

void CDragReorder::SetDropHighlight(int row, bool on)
{
    if (row < 0)
        return;
    m_list.SetItemState(row, on ? LVIS_DROPHILITED : 0, LVIS_DROPHILITED);
    m_list.RedrawItems(row, row);
}

void CDragReorder::Move(POINT point)
{
    POINT screen = point;
    ::ClientToScreen(m_owner, &screen);
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

void CDragReorder::End(POINT point)
{
    ::ReleaseCapture();
    m_dragging = false;
    ::ImageList_DragLeave(::GetDesktopWindow());
    ::ImageList_EndDrag();
    m_dragImage.Reset();
    POINT screen = point;
    ::ClientToScreen(m_owner, &screen);
    SetDropHighlight(m_dropIndex, false);
    if (::WindowFromPoint(screen) == m_list.GetSafeHwnd())
        m_dropped(m_dragIndex, m_dropIndex);
}
