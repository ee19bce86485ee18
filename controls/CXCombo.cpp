#include "controls/CXCombo.h"

#include "controls/GridMessages.h"

void CXCombo::Send(UINT message, WPARAM wParam)
{
    if (::IsWindow(m_grid))
        ::SendMessageA(m_grid, message, wParam, 0);
}

void CXCombo::OnEscape() { Send(WM_XCOMBOLIST_VK_ESCAPE, 0); }

void CXCombo::OnComplete(bool byKeyboard)
{
    Send(WM_XCOMBOLIST_COMPLETE, byKeyboard ? kCompleteByKeyboard : kCompleteByMouse);
}

LRESULT CXCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KILLFOCUS) {
        HWND gaining = reinterpret_cast<HWND>(wParam);
        LRESULT result = CAdvComboBox::WindowProc(message, wParam, lParam);
        if (!gaining || gaining != GetDropWindow())
            Send(WM_XCOMBOLIST_COMPLETE, kCompleteByFocusLoss);
        return result;
    }
    return CAdvComboBox::WindowProc(message, wParam, lParam);
}
