#include "framework/CDialogWindow.h"

#include "framework/AnsiTextGuard.h"
#include "framework/CMsgWnd.h"

bool CDialogWindow::OnCommand(WORD, WORD, HWND) { return false; }

bool CDialogWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CDialogWindow::OnRegisteredMessage(UINT id, Handler handler)
{
    m_registered.push_back(Entry{id, std::move(handler)});
}

void CDialogWindow::OnNotify(int controlId, UINT code, NotifyHandler handler)
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

INT_PTR CDialogWindow::Route(CDialogWindow* initial, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    CDialogWindow* self = initial;
    if (self) {
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CDialogWindow*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    INT_PTR answer = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        self->m_hWnd = nullptr;
    return answer;
}

INT_PTR CDialogWindow::InitDialog()
{
    RECT before;
    ::GetWindowRect(m_hWnd, &before);
    BOOL focusDefault = OnInitDialog();
    if (!::IsWindow(m_hWnd))
        return focusDefault;
    GuardAnsiTextOfChildren(m_hWnd);
    // A top-level window the handler did not place (nor end) opens centred
    // over its owner; a page is placed by its sheet.
    RECT after;
    if (::GetWindowRect(m_hWnd, &after) && ::EqualRect(&before, &after) &&
        !(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD))
        CenterWindow();
    return focusDefault;
}

bool CDialogWindow::DispatchNotify(NMHDR& header, LRESULT& result)
{
    if (OnOwnNotify(header, result))
        return true;
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

bool CDialogWindow::DispatchRegistered(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result)
{
    for (const Entry& entry : m_registered) {
        if (entry.id == message) {
            result = entry.handler(wParam, lParam);
            return true;
        }
    }
    return false;
}

namespace {

// Named CALLBACK: a lambda is not __stdcall, which 32-bit Windows calls.
BOOL CALLBACK PassColourChange(HWND child, LPARAM)
{
    ::SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

INT_PTR CDialogWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
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
        ::EnumChildWindows(m_hWnd, PassColourChange, 0);
        break;
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        bool handled = OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ||
                       OnUnhandledCommand(id);
        return handled ? TRUE : FALSE;
    }
    default:
        break;
    }
    bool handled = DispatchRegistered(message, wParam, lParam, result) ||
                   OnMessage(message, wParam, lParam, result);
    return handled ? DialogAnswer(m_hWnd, message, result) : FALSE;
}
