#include "framework/CDialog.h"

#include "framework/AnsiTextGuard.h"
#include "framework/CMsgWnd.h"
#include "framework/CWinApp.h"

HWND CDialog::DefaultOwner()
{
    HWND start = ::GetActiveWindow();
    if (!start) {
        CWinApp* app = CWinApp::Current();
        start = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    }
    if (!start || !::IsWindow(start))
        return nullptr;
    HWND top = ::GetAncestor(start, GA_ROOT);
    HWND popup = ::GetLastActivePopup(top ? top : start);
    return popup ? popup : top;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_parent ? m_parent : DefaultOwner();
    return ::DialogBoxParamA(CWinApp::Instance(), MAKEINTRESOURCEA(m_templateId), owner,
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

void CDialog::OnNotify(int controlId, UINT code, NotifyHandler handler)
{
    m_notifications.push_back(NotifyEntry{controlId, code, std::move(handler)});
}

INT_PTR DialogAnswer(HWND dialog, UINT message, LRESULT result)
{
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
        return TRUE;
    }
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

INT_PTR CDialog::InitDialog()
{
    RECT before;
    ::GetWindowRect(m_hWnd, &before);
    BOOL focusDefault = OnInitDialog();
    if (::IsWindow(m_hWnd))
        GuardAnsiTextOfChildren(m_hWnd);
    // A window the handler did not place (nor end) opens centred over its owner.
    RECT after;
    if (::IsWindow(m_hWnd) && ::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) &&
        !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD))
        CenterWindow();
    return focusDefault;
}

bool CDialog::DispatchNotify(NMHDR& header, LRESULT& result)
{
    // Controls handle their own notifications first.
    ReflectedNotify reflected{&header, false, 0};
    if (header.hwndFrom)
        ::SendMessageA(header.hwndFrom, WM_KEYSTAVE_REFLECT_NOTIFY, 0,
                       reinterpret_cast<LPARAM>(&reflected));
    if (reflected.handled) {
        result = reflected.result;
        return true;
    }
    for (const NotifyEntry& entry : m_notifications) {
        if (static_cast<UINT_PTR>(entry.controlId) == header.idFrom && entry.code == header.code) {
            result = entry.handler(header);
            return true;
        }
    }
    return false;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_INITDIALOG:
        return InitDialog();
    case WM_NOTIFY:
        if (lParam && DispatchNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return DialogAnswer(m_hWnd, message, result);
        break;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it; the controls keep colours of their own.
        ::EnumChildWindows(
            m_hWnd,
            [](HWND child, LPARAM) -> BOOL {
                ::SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
                return TRUE;
            },
            0);
        break;
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
    return handled ? DialogAnswer(m_hWnd, message, result) : FALSE;
}
