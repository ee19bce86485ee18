#include "controls/CXHeaderCtrl.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "controls/CMemDC.h"
#include "framework/CUniqueHandle.h"

namespace {
constexpr int kSpacing = 6;
}

void CXHeaderCtrl::ReadColours()
{
    m_highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_face = ::GetSysColor(COLOR_BTNFACE);
    m_text = ::GetSysColor(COLOR_BTNTEXT);
}

LRESULT CXHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // painted whole in OnPaint
    case WM_LBUTTONDBLCLK:
        return Default(WM_LBUTTONDOWN, wParam, lParam);
    case WM_SYSCOLORCHANGE:
        ReadColours();
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void CXHeaderCtrl::OnPaint()
{
    PAINTSTRUCT paint;
    HDC screen = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    {
        CMemDC dc(screen, client);
        HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
        FillSolid(dc, client, m_face);
        int count = static_cast<int>(SendMessage(HDM_GETITEMCOUNT));
        std::vector<int> order(static_cast<size_t>(count > 0 ? count : 0));
        if (count > 0)
            SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count),
                        reinterpret_cast<LPARAM>(order.data()));
        for (int i = 0; i < count; ++i) {
            RECT rect;
            SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(order[static_cast<size_t>(i)]),
                        reinterpret_cast<LPARAM>(&rect));
            DrawItem(dc, order[static_cast<size_t>(i)], rect, i + 1 == count);
        }
        // A 3D frame around the items.
        RECT frame = client;
        ::DrawEdge(dc, &frame, BDR_RAISEDINNER, BF_RECT);
        if (oldFont)
            ::SelectObject(dc, oldFont);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CXHeaderCtrl::DrawItem(HDC dc, int index, const RECT& rect, bool last)
{
    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessage(HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.fmt & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT draw = {};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
        draw.itemID = static_cast<UINT>(index);
        draw.hwndItem = m_hWnd;
        draw.hDC = dc;
        draw.rcItem = rect;
        ::SendMessageA(::GetParent(m_hWnd), WM_DRAWITEM, draw.CtlID,
                       reinterpret_cast<LPARAM>(&draw));
    } else {
        RECT textRect = rect;
        textRect.left += kSpacing;
        textRect.right -= kSpacing;
        UINT align = (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER  ? DT_CENTER
                     : (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                                                                 : DT_LEFT;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_text);
        ::DrawTextA(dc, text, -1, &textRect,
                    align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (last)
        return;
    CGdiPen shadow(::CreatePen(PS_SOLID, 1, m_shadow));
    CGdiPen highlight(::CreatePen(PS_SOLID, 1, m_highlight));
    HGDIOBJ old = ::SelectObject(dc, shadow.Get());
    ::MoveToEx(dc, rect.right - 2, rect.top + 2, nullptr);
    ::LineTo(dc, rect.right - 2, rect.bottom - 2);
    ::SelectObject(dc, highlight.Get());
    ::MoveToEx(dc, rect.right - 1, rect.top + 2, nullptr);
    ::LineTo(dc, rect.right - 1, rect.bottom - 2);
    ::SelectObject(dc, old);
}
