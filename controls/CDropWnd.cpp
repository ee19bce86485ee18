#include "controls/CDropWnd.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "controls/CAdvComboBox.h"
#include "framework/CUniqueHandle.h"
#include "controls/CThemeLayer.h"
#include "controls/GridMessages.h"

const char* const CDropWnd::kClassName = "KeystaveDropWnd";

namespace {
constexpr UINT kScrollBarId = 100;
constexpr UINT kListId = 101;
}  // namespace

CDropWnd::CDropWnd(CAdvComboBox& combo) : m_combo(combo), m_list(*this), m_scroll(*this) {}

CDropWnd::~CDropWnd()
{
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    HWND combo = m_combo.GetSafeHwnd();
    DestroyWindow();
    if (combo) {
        RECT client;
        ::GetClientRect(combo, &client);
        ::InvalidateRect(combo, &client, FALSE);
    }
}

int CDropWnd::ItemHeight() const
{
    LRESULT height = m_list.GetSafeHwnd() ? ::SendMessageA(m_list, LB_GETITEMHEIGHT, 0, 0) : 0;
    return height > 0 ? static_cast<int>(height) : 16;
}

bool CDropWnd::Open()
{
    if (!RegisterClassOnce(kClassName, CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return false;
    RECT combo;
    ::GetWindowRect(m_combo, &combo);
    RECT start = {combo.left, combo.bottom, combo.right, combo.bottom + 10};
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "",
                  WS_POPUP | WS_BORDER, start, m_combo, 0))
        return false;
    RECT none = {0, 0, 10, 10};
    m_list.CreateEx(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    none, m_hWnd, kListId);
    m_scroll.CreateEx(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, none, m_hWnd,
                      kScrollBarId);
    ::SendMessageA(m_list, WM_SETFONT, reinterpret_cast<WPARAM>(m_combo.Font()), FALSE);

    CWindowDc windowDc(m_hWnd);
    HDC dc = windowDc.Get();
    HGDIOBJ oldFont = ::SelectObject(dc, m_combo.Font());
    int widest = 0;
    for (const ComboEntry& entry : m_combo.Entries()) {
        ::SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    ::SelectObject(dc, oldFont);

    int count = m_combo.GetCount();
    int maxLines = m_combo.GetMaxVisibleLines();
    int lines = maxLines > 0 ? std::min(count, maxLines) : count;
    int itemHeight = ItemHeight();
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    int height = std::max(lines * itemHeight + 2, ::GetSystemMetrics(SM_CYHSCROLL));
    height = std::min(height, screenHeight);
    int width = std::max(widest + ::GetSystemMetrics(SM_CXVSCROLL) + 8,
                         static_cast<int>(combo.right - combo.left));
    int left = combo.left;
    int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    if (left + width > screenWidth)
        left = std::max(0, screenWidth - width);
    bool below = screenHeight - combo.bottom >= CAdvComboBox::kMinLinesBelow * itemHeight;
    int top = below ? combo.bottom : std::max(0, static_cast<int>(combo.top) - height);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);
    Layout();
    int current = m_combo.GetCurSel();
    Select(current < 0 || current >= count ? 0 : current);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::SetCapture(m_hWnd);
    return true;
}

RECT CDropWnd::GripRect() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int size = ::GetSystemMetrics(SM_CXVSCROLL);
    return RECT{client.right - size, client.bottom - size, client.right, client.bottom};
}

void CDropWnd::Layout()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    RECT grip = GripRect();
    ::MoveWindow(m_list, 0, 0, client.right - scrollWidth, client.bottom, TRUE);
    ::MoveWindow(m_scroll, client.right - scrollWidth, 0, scrollWidth, grip.top, TRUE);
    SyncScrollBar();
}

int CDropWnd::Selection() const
{
    return static_cast<int>(::SendMessageA(m_list, LB_GETCURSEL, 0, 0));
}

int CDropWnd::VisibleLines() const
{
    RECT client;
    ::GetClientRect(m_list, &client);
    return std::max(1, static_cast<int>(client.bottom) / ItemHeight());
}

int CDropWnd::TopIndex() const
{
    return static_cast<int>(::SendMessageA(m_list, LB_GETTOPINDEX, 0, 0));
}

void CDropWnd::SetTopIndex(int top)
{
    int count = m_combo.GetCount();
    top = std::max(0, std::min(top, count - VisibleLines()));
    ::SendMessageA(m_list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SyncScrollBar();
}

void CDropWnd::SyncScrollBar()
{
    m_scroll.Follow(TopIndex(), m_combo.GetCount(), VisibleLines());
}

void CDropWnd::Select(int index)
{
    if (index < 0 || index >= m_combo.GetCount() || index == Selection())
        return;
    ::SendMessageA(m_list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SyncScrollBar();
}

void CDropWnd::MoveSelection(int delta)
{
    int count = m_combo.GetCount();
    if (count == 0)
        return;
    int index = Selection() + delta;
    Select(std::max(0, std::min(index, count - 1)));
}

void CDropWnd::OnWheel(int delta)
{
    m_wheel += delta;
    if (m_wheel >= WHEEL_DELTA || m_wheel <= -WHEEL_DELTA) {
        SetTopIndex(TopIndex() + (m_wheel > 0 ? -3 : 3));
        m_wheel = 0;
    }
}

void CDropWnd::TakeCapture()
{
    if (m_hWnd && ::GetCapture() != m_hWnd)
        ::SetCapture(m_hWnd);
}

void CDropWnd::Choose(int index)
{
    // Posted, so that the list's own mouse handling has returned before the
    // combo destroys this window.
    ::PostMessageA(m_combo, WM_COMBO_SELECT_ITEM, static_cast<WPARAM>(index), 0);
    ::PostMessageA(m_combo, WM_COMBO_CLOSE_LIST, 0, 0);
}

void CDropWnd::OnMouseMove(POINT point)
{
    if (m_resizing) {
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        int width = std::max(40, static_cast<int>(screen.x + m_resizeOffset.cx - window.left));
        int height = std::max(::GetSystemMetrics(SM_CYHSCROLL) * 2,
                              static_cast<int>(screen.y + m_resizeOffset.cy - window.top));
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT grip = GripRect();
    if (::PtInRect(&grip, point)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZENWSE));
        return;
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    POINT inScroll = point;
    ::MapWindowPoints(m_hWnd, m_scroll, &inScroll, 1);
    RECT scrollClient;
    ::GetClientRect(m_scroll, &scrollClient);
    if (::PtInRect(&scrollClient, inScroll)) {
        ::ReleaseCapture();  // the scroll bar works on its own; it hands the pointer back
        return;
    }
    POINT inList = point;
    ::MapWindowPoints(m_hWnd, m_list, &inList, 1);
    int item = m_list.ItemFromPoint(inList);
    if (item >= 0)
        Select(item);
}

void CDropWnd::OnButtonDown(POINT point)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, point)) {
        // A click outside closes the list; on the combo itself that is its
        // toggle, anywhere else it goes on to what it was aimed at.
        ::PostMessageA(m_combo, WM_COMBO_CLOSE_LIST, 0, 0);
        ::ClientToScreen(m_hWnd, &point);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        RedeliverButtonDown(point, MK_LBUTTON, m_combo);
        return;
    }
    RECT grip = GripRect();
    if (::PtInRect(&grip, point)) {
        RECT window;
        ::GetWindowRect(m_hWnd, &window);
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        m_resizeOffset = SIZE{window.right - screen.x, window.bottom - screen.y};
        m_resizing = true;
    }
}

void CDropWnd::OnButtonUp(POINT point)
{
    if (m_resizing) {
        m_resizing = false;
        return;
    }
    POINT inList = point;
    ::MapWindowPoints(m_hWnd, m_list, &inList, 1);
    int item = m_list.ItemFromPoint(inList);
    if (item >= 0 && !m_combo.Entries()[static_cast<size_t>(item)].disabled)
        Choose(item);
}

LRESULT CDropWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(PointFromLParam(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_VSCROLL: {
        int top = TopIndex();
        switch (LOWORD(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleLines(); break;
        case SB_PAGEDOWN: top += VisibleLines(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = HIWORD(wParam); break;
        default: break;
        }
        SetTopIndex(top);
        return 0;
    }
    case WM_SIZE:
        Layout();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        RECT grip = GripRect();
        ::FillRect(dc, &grip, ::GetSysColorBrush(COLOR_BTNFACE));
        CThemeLayer& theme = CThemeLayer::Instance();
        bool drawn = false;
        if (theme.UseVisualStyles()) {
            HANDLE data = theme.OpenThemeData(m_hWnd, L"SCROLLBAR");
            drawn = SUCCEEDED(theme.DrawThemeBackground(data, dc, SBP_SIZEBOX, SZB_RIGHTALIGN, &grip));
            theme.CloseThemeData(data);
        }
        if (!drawn)
            ::DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_resizing = false;
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}
