#include "framework/CMsgWnd.h"

#include <commctrl.h>

#include "framework/CWinApp.h"

const UINT WM_KEYSTAVE_REFLECT_NOTIFY = RegisterMessage("KEYSTAVE_REFLECT_NOTIFY");

namespace {
const char kThisProperty[] = "KeystaveWindowObject";
constexpr UINT_PTR kSubclassId = 0x4B53;  // one subclass of ours per window
CMsgWnd* g_creating = nullptr;  // the object whose window is being created
}

CMsgWnd::~CMsgWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

CMsgWnd* CMsgWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CMsgWnd*>(::GetPropA(hwnd, kThisProperty)) : nullptr;
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
    if (m_subclassed)
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_subclassed = false;
    m_hWnd = nullptr;
}

bool CMsgWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_subclassed = true;
    Attach(hwnd);
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

LRESULT CMsgWnd::Route(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        Detach();
        PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CMsgWnd::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CMsgWnd* self = FromHandle(hwnd);
    if (!self && g_creating && !g_creating->m_hWnd) {
        // First message of a window of one of our own classes.
        self = g_creating;
        self->Attach(hwnd);
    }
    if (!self || self->m_subclassed)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return self->Route(message, wParam, lParam);
}

LRESULT CALLBACK CMsgWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CMsgWnd*>(data);
    if (!self || self->m_hWnd != hwnd)
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    return self->Route(message, wParam, lParam);
}

LRESULT CMsgWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CMsgWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_subclassed)
        return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}
