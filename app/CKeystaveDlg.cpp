#include "app/CKeystaveDlg.h"

#include "app/SingleInstance.h"
#include "framework/CWinApp.h"
#include "res/resource.h"

CKeystaveDlg::CKeystaveDlg(HWND parent)
    : CDialog(IDD_KEYSTAVE_DIALOG, parent),
      m_hIcon(::LoadIconA(CWinApp::Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME)))
{
    OnRegisteredMessage(WM_KEYSTAVE_IS_ALIVE,
                        [](WPARAM, LPARAM) { return static_cast<LRESULT>(WM_KEYSTAVE_IS_ALIVE); });
}

BOOL CKeystaveDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (AnotherInstanceRuns()) {
        OnCancel();
        return FALSE;
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    return TRUE;
}

bool CKeystaveDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        if (!IsIconic())
            return false;
        OnPaint();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    default:
        return false;
    }
}

void CKeystaveDlg::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}
