#include "controls/CDropListBox.h"

#include "controls/CDropWnd.h"
#include "controls/GridMessages.h"

int CDropListBox::ItemFromPoint(POINT point) const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, point))
        return -1;
    LRESULT hit = ::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit))
        return -1;  // outside every entry
    return LOWORD(hit);
}

LRESULT CDropListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETFOCUS:
        return 0;  // the combo keeps the focus
    case WM_MOUSEMOVE: {
        int item = ItemFromPoint(point);
        if (item < 0) {
            // Outside the list: the drop window follows the pointer from here.
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            m_drop.TakeCapture();
        } else {
            m_drop.Select(item);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ::SetCapture(m_hWnd);
        return 0;
    case WM_LBUTTONUP: {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        int item = ItemFromPoint(point);
        if (item >= 0)
            m_drop.Choose(item);
        else
            m_drop.TakeCapture();
        return 0;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}
