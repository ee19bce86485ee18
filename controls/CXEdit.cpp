#include "controls/CXEdit.h"

#include "controls/GridMessages.h"
#include "framework/CUniqueHandle.h"
#include "framework/AnsiTextGuard.h"

bool CXEdit::Create(HWND parent, const RECT& rect, DWORD alignment, UINT id)
{
    if (!m_owner)
        m_owner = parent;
    if (!CreateEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | alignment, rect, parent,
                  id))
        return false;
    GuardAnsiText(m_hWnd);
    SendMessage(WM_SETFONT, static_cast<WPARAM>(::SendMessageA(m_owner, WM_GETFONT, 0, 0)), FALSE);
    SetWindowText(m_text);
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
    ::SetFocus(m_hWnd);
    ::SetCapture(m_hWnd);
    return true;
}

void CXEdit::Notify(UINT message)
{
    if (m_notified || !::IsWindow(m_owner))
        return;
    m_notified = true;
    ::SendMessageA(m_owner, message, 0, 0);
}

LRESULT CXEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Escape are ours, not the dialog's default buttons.
        return DLGC_WANTALLKEYS | Default(message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Notify(WM_XEDIT_KILL_FOCUS);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            Notify(WM_XEDIT_VK_ESCAPE);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r') {
            Notify(WM_XEDIT_KILL_FOCUS);
            return 0;
        }
        if (wParam == 0x1b) {
            Notify(WM_XEDIT_VK_ESCAPE);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: {
        // With the mouse captured, a click outside the box ends the edit,
        // and then does what it was aimed at: opens another cell, presses OK.
        POINT point = PointFromLParam(lParam);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        if (!::PtInRect(&client, point)) {
            ::ReleaseCapture();
            ::ClientToScreen(m_hWnd, &point);
            Notify(WM_XEDIT_KILL_FOCUS);
            RedeliverButtonDown(point, wParam, m_hWnd);
            return 0;
        }
        break;
    }
    case WM_KILLFOCUS: {
        LRESULT result = Default(message, wParam, lParam);
        Notify(WM_XEDIT_KILL_FOCUS);
        return result;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void CXEdit::OnPaint()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    RECT fill = client;
    fill.right += 2;
    {
        CWindowDc dc(m_hWnd);
        ::FillRect(dc.Get(), &fill, ::GetSysColorBrush(COLOR_WINDOW));
    }
    Default(WM_PAINT, 0, 0);
    CWindowDc dc(m_hWnd);
    FrameSolid(dc.Get(), client, ::GetSysColor(COLOR_INACTIVECAPTION));
}
