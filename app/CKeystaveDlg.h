#pragma once
#include "framework/CDialog.h"

// The program's main window (dialog 102).
class CKeystaveDlg : public CDialog {
public:
    explicit CKeystaveDlg(HWND parent);

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnPaint();

    HICON m_hIcon;
};
