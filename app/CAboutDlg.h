#pragma once
#include "framework/CDialog.h"
#include "res/resource.h"

// The About box (dialog 100), from the main window's system menu.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}
};
