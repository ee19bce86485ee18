#include "framework/CWnd.h"

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::CenterWindow(HWND over)
{
    if (!over)
        over = GetOwner();
    if (over && (!::IsWindowVisible(over) || ::IsIconic(over)))
        over = nullptr;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    HMONITOR monitor = ::MonitorFromWindow(over ? over : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(monitor, &info);
    const RECT& work = info.rcWork;
    RECT target = work;
    if (over)
        ::GetWindowRect(over, &target);
    LONG width = window.right - window.left, height = window.bottom - window.top;
    LONG x = target.left + (target.right - target.left - width) / 2;
    LONG y = target.top + (target.bottom - target.top - height) / 2;
    // Whole on the screen, the top left corner first.
    if (x + width > work.right)
        x = work.right - width;
    if (y + height > work.bottom)
        y = work.bottom - height;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND RedeliverButtonDown(POINT screen, WPARAM keys, HWND except)
{
    HWND target = ::WindowFromPoint(screen);
    if (!target || target == except || !::IsWindowEnabled(target) ||
        ::GetWindowThreadProcessId(target, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    LRESULT hit = ::SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ::ScreenToClient(target, &client);
        ::PostMessageA(target, WM_LBUTTONDOWN, keys, MAKELPARAM(client.x, client.y));
    } else {
        ::PostMessageA(target, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                       MAKELPARAM(screen.x, screen.y));
    }
    return target;
}
