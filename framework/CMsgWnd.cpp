#include "framework/CMsgWnd.h"

#include "framework/CWinApp.h"

const UINT WM_KEYSTAVE_REFLECT_NOTIFY = RegisterMessage("KEYSTAVE_REFLECT_NOTIFY");

namespace {
const char kThisProperty[] = "KeystaveWindowObject";
CMsgWnd* g_creating = nullptr;  // the object whose window is being created
}

CMsgWnd::~CMsgWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CMsgWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kThisProperty, this);
}

void CMsgWnd::Detach()
{
    if (!m_hWnd)
        return;
    ::RemovePropA(m_hWnd, kThisProperty);
    if (m_oldProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    m_oldProc = nullptr;
    m_hWnd = nullptr;
}

bool CMsgWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return false;
    Attach(hwnd);
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc)));
    return true;
}

bool CMsgWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                       const RECT& rect, HWND parent, UINT_PTR idOrMenu)
{
    g_creating = this;
    HWND hwnd = ::CreateWindowExA(exStyle, className, text, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(idOrMenu), CWinApp::Instance(), nullptr);
    g_creating = nullptr;
    if (!hwnd)
        return false;
    if (!m_hWnd)
        SubclassWindow(hwnd);
    return true;
}

BOOL CMsgWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

bool CMsgWnd::RegisterClassOnce(const char* name, UINT style, HCURSOR cursor, HBRUSH background)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(CWinApp::Instance(), name, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = StaticProc;
    wc.hInstance = CWinApp::Instance();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) != 0;
}

LRESULT CALLBACK CMsgWnd::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CMsgWnd*>(::GetPropA(hwnd, kThisProperty));
    if (!self && g_creating) {
        // First message of a window of one of our own classes.
        self = g_creating;
        self->Attach(hwnd);
    }
    if (!self)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->Detach();
        self->PostNcDestroy();
    }
    return result;
}

LRESULT CMsgWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CMsgWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_oldProc)
        return ::CallWindowProcA(m_oldProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}
