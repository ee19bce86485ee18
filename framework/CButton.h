#pragma once
#include "framework/CWnd.h"

// A push button, check box or radio button of a dialog.
class CButton : public CWnd {
public:
    explicit CButton(HWND button = nullptr) : CWnd(button) {}
    void Bind(HWND button) { m_hWnd = button; }

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void Click() { SendMessage(BM_CLICK); }
};
