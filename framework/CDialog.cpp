#include "framework/CDialog.h"

#include "framework/CMsgWnd.h"
#include "framework/CWinApp.h"

INT_PTR CDialog::DoModal()
{
    return ::DialogBoxParamA(CWinApp::Instance(), MAKEINTRESOURCEA(m_templateId), m_parent,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    return ::CreateDialogParamA(CWinApp::Instance(), MAKEINTRESOURCEA(m_templateId), m_parent,
                                DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

bool CDialog::OnCommand(WORD, WORD, HWND) { return false; }

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CDialog::OnRegisteredMessage(UINT id, Handler handler)
{
    m_registered.push_back(Entry{id, std::move(handler)});
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    INT_PTR handled = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return handled;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_NOTIFY: {
        // Controls handle their own notifications first.
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        ReflectedNotify reflected{header, false, 0};
        if (header && header->hwndFrom)
            ::SendMessageA(header->hwndFrom, WM_KEYSTAVE_REFLECT_NOTIFY, 0,
                           reinterpret_cast<LPARAM>(&reflected));
        if (reflected.handled) {
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, reflected.result);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return TRUE;
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    default:
        break;
    }
    LRESULT result = 0;
    bool handled = false;
    for (const Entry& entry : m_registered) {
        if (entry.id == message) {
            result = entry.handler(wParam, lParam);
            handled = true;
            break;
        }
    }
    if (!handled)
        handled = OnMessage(message, wParam, lParam, result);
    if (!handled)
        return FALSE;
    // These few messages hand their result back directly; all others
    // through the dialog's message-result slot.
    switch (message) {
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
