#include "controls/CDropScrollBar.h"

#include "controls/CDropWnd.h"

void CDropScrollBar::Follow(int top, int count, int page)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = count > 0 ? count - 1 : 0;
    info.nPage = static_cast<UINT>(page > 0 ? page : 1);
    info.nPos = top;
    ::SetScrollInfo(m_hWnd, SB_CTL, &info, TRUE);
}

LRESULT CDropScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SETFOCUS:
        return 0;
    case WM_LBUTTONUP: {
        LRESULT result = Default(message, wParam, lParam);
        m_drop.TakeCapture();
        return result;
    }
    case WM_MOUSEMOVE: {
        POINT point = PointFromLParam(lParam);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        if (!::PtInRect(&client, point) && !(wParam & MK_LBUTTON)) {
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            m_drop.TakeCapture();
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}
