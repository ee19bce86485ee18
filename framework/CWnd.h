#pragma once
#include <windows.h>

#include <string>

// The client point a mouse message carries (coordinates are signed).
inline POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// Hands a left-button press that a window holding the mouse capture took,
// but that was aimed elsewhere, to the window of this thread under the
// `screen` point, as that window would have had it; the button's release
// then reaches it the usual way. Nothing happens over `except` (the window
// whose own handling already covers the press) or over another program's
// window. The window it went to, or null.
HWND RedeliverButtonDown(POINT screen, WPARAM keys, HWND except);

// A window handle with the few operations the program's windows use.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;
    // A window object stands for one window: a copy would be a second owner.
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetOwner() const { return ::GetWindow(m_hWnd, GW_OWNER); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    // Centres the window over `over` (its owner when null), kept inside the
    // work area of the monitor it ends up on; over the work area itself when
    // there is no visible, unminimised window to centre on.
    void CenterWindow(HWND over = nullptr);
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    void SetIcon(HICON icon, BOOL big) { SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                     reinterpret_cast<LPARAM>(icon)); }

protected:
    HWND m_hWnd = nullptr;
};
