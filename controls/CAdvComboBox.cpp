#include "controls/CAdvComboBox.h"

#include <windows.h>
#include <commctrl.h>
#include <cstring>
#include <uxtheme.h>
#include <vssym32.h>

#include "framework/AnsiTextGuard.h"
#include "framework/CUniqueHandle.h"
#include "controls/CDropWnd.h"
#include "controls/CThemeLayer.h"
#include "controls/GridMessages.h"
#include "framework/CWinApp.h"

const char* const CAdvComboBox::kClassName = "SuperComboBox";

namespace {
constexpr UINT_PTR kHotTimer = 1;
constexpr int kPageLines = 10;
constexpr UINT kComboEditId = 108;

HFONT CopyFont(HWND source)
{
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(source, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA log = {};
    ::GetObjectA(font, sizeof log, &log);
    return ::CreateFontIndirectA(&log);
}
}  // namespace

CAdvComboBox::CAdvComboBox(HWND target) : m_target(target)
{
    // Without the class, Create fails and the grid opens no editor.
    RegisterClassOnce(kClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                      ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

CAdvComboBox::~CAdvComboBox()
{
    m_drop.reset();
    DestroyWindow();
}

bool CAdvComboBox::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parentOrOwner, UINT id)
{
    m_font.Reset(CopyFont(m_target ? m_target : parentOrOwner));
    if (!CreateEx(exStyle, kClassName, "", style, rect, parentOrOwner, id))
        return false;
    // A string resource of the control's id lists its entries, LF separated.
    char text[1024] = {};
    if (id != 0 && ::LoadStringA(CWinApp::Instance(), id, text, sizeof text) > 0) {
        std::string all = text;
        size_t start = 0;
        for (size_t lf; (lf = all.find('\n', start)) != std::string::npos; start = lf + 1)
            AddString(all.substr(start, lf - start));
        AddString(all.substr(start));
    }
    if (!IsDropDownList()) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        client.right -= ::GetSystemMetrics(SM_CXHSCROLL);
        m_edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 2, 2,
                                   client.right - 4, client.bottom - 4, m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kComboEditId)),
                                   CWinApp::Instance(), nullptr);
        ::SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        GuardAnsiText(m_edit);
    }
    return true;
}

bool CAdvComboBox::IsDropDownList() const
{
    return (::GetWindowLongA(m_hWnd, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
}

HWND CAdvComboBox::GetDropWindow() const { return m_drop ? m_drop->GetSafeHwnd() : nullptr; }

int CAdvComboBox::AddString(const std::string& text)
{
    m_entries.push_back(ComboEntry{text, false});
    return GetCount() - 1;
}

std::string CAdvComboBox::GetLBText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return m_entries[static_cast<size_t>(index)].text;
}

int CAdvComboBox::FindStringExact(int start, const std::string& text) const
{
    for (int i = start < 0 ? 0 : start; i < GetCount(); ++i)
        if (m_entries[static_cast<size_t>(i)].text == text)
            return i;
    return -1;
}

int CAdvComboBox::SetCurSel(int index)
{
    if (index == -1) {
        m_current = -1;
        m_text.clear();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return -1;
    }
    if (index < 0 || index >= GetCount())
        return -1;
    m_current = index;
    m_text = m_entries[static_cast<size_t>(index)].text;
    if (m_edit)
        ::SetWindowTextA(m_edit, m_text.c_str());
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return index;
}

int CAdvComboBox::GetCurSel() const { return FindStringExact(-1, m_text); }

void CAdvComboBox::Notify(WORD code)
{
    if (m_target && ::IsWindow(m_target))
        ::SendMessageA(m_target, WM_COMMAND,
                       MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(m_hWnd)), code),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

RECT CAdvComboBox::ButtonRect() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    client.left = client.right - ::GetSystemMetrics(SM_CXHSCROLL);
    return client;
}

void CAdvComboBox::DrawButton(HDC dc, const RECT& button)
{
    bool disabled = !::IsWindowEnabled(m_hWnd);
    CThemeLayer& theme = CThemeLayer::Instance();
    if (theme.UseVisualStyles()) {
        HANDLE data = theme.OpenThemeData(m_hWnd, L"COMBOBOX");
        int state = disabled ? CBXS_DISABLED : m_drop ? CBXS_PRESSED : m_hot ? CBXS_HOT : CBXS_NORMAL;
        bool drawn = SUCCEEDED(theme.DrawThemeBackground(data, dc, CP_DROPDOWNBUTTON, state, &button));
        COLORREF border;
        if (drawn && SUCCEEDED(theme.GetThemeColor(data, CP_DROPDOWNBUTTON, state, TMT_BORDERCOLOR,
                                                   &border))) {
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            FrameSolid(dc, client, border);
        }
        theme.CloseThemeData(data);
        if (drawn)
            return;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT);
    RECT glyph = button;
    ::InflateRect(&glyph, 0, -2);
    glyph.right -= 2;
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (m_drop)
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (disabled)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &glyph, DFC_SCROLL, state);
}

void CAdvComboBox::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    bool disabled = !::IsWindowEnabled(m_hWnd);
    ::FillRect(dc, &client, ::GetSysColorBrush(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    RECT button = ButtonRect();
    DrawButton(dc, button);
    if (IsDropDownList()) {
        RECT text = client;
        text.right = button.left;
        ::InflateRect(&text, -2, -2);
        bool focused = ::GetFocus() == m_hWnd && !m_drop;
        if (focused)
            ::FillRect(dc, &text, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(disabled  ? COLOR_GRAYTEXT
                                         : focused ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_BTNTEXT));
        HGDIOBJ old = ::SelectObject(dc, m_font.Get());
        text.left += 2;
        ::DrawTextA(dc, m_text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        ::SelectObject(dc, old);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CAdvComboBox::MakeCurrent(int index)
{
    SetCurSel(index);
    Notify(CBN_SELENDOK);
    Notify(CBN_SELCHANGE);
}

void CAdvComboBox::MoveCurrent(int delta)
{
    int step = delta > 0 ? 1 : -1;
    int index = m_current;
    for (int moved = 0; moved < (delta > 0 ? delta : -delta);) {
        int next = index + step;
        while (next >= 0 && next < GetCount() && m_entries[static_cast<size_t>(next)].disabled)
            next += step;
        if (next < 0 || next >= GetCount())
            break;
        index = next;
        ++moved;
    }
    if (index != m_current && index >= 0)
        MakeCurrent(index);
}

bool CAdvComboBox::OnKeyDown(WPARAM key, bool alt)
{
    if (key == VK_F4 || (alt && (key == VK_UP || key == VK_DOWN))) {
        ToggleList();
        return true;
    }
    if (m_drop) {
        switch (key) {
        case VK_UP: m_drop->MoveSelection(-1); return true;
        case VK_DOWN: m_drop->MoveSelection(1); return true;
        case VK_PRIOR: m_drop->MoveSelection(-m_drop->VisibleLines()); return true;
        case VK_NEXT: m_drop->MoveSelection(m_drop->VisibleLines()); return true;
        case VK_ESCAPE: CloseList(false); return true;
        default: return false;
        }
    }
    switch (key) {
    case VK_UP: MoveCurrent(-1); return true;
    case VK_DOWN: MoveCurrent(1); return true;
    case VK_PRIOR: MoveCurrent(-kPageLines); return true;
    case VK_NEXT: MoveCurrent(kPageLines); return true;
    case VK_ESCAPE: OnEscape(); return true;
    default: return false;
    }
}

void CAdvComboBox::OpenList()
{
    if (m_drop || GetCount() == 0)
        return;
    m_drop = std::make_unique<CDropWnd>(*this);
    if (!m_drop->Open()) {
        m_drop.reset();
        return;
    }
    m_selectionMade = false;
    Notify(CBN_DROPDOWN);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CAdvComboBox::CloseList(bool chosen)
{
    if (!m_drop)
        return;
    if (!chosen && !m_selectionMade)
        Notify(CBN_SELENDCANCEL);
    m_drop.reset();
    Notify(CBN_CLOSEUP);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CAdvComboBox::ToggleList()
{
    if (m_drop)
        CloseList(false);
    else
        OpenList();
}

void CAdvComboBox::OnSelectItem(int index, bool byKeyboard)
{
    if (index < 0 || index >= GetCount() || m_entries[static_cast<size_t>(index)].disabled) {
        CloseList(false);
        return;
    }
    // Entries of equal text are one choice: the first of them.
    int first = FindStringExact(-1, m_entries[static_cast<size_t>(index)].text);
    m_current = first;
    m_text = m_entries[static_cast<size_t>(first)].text;
    if (m_edit)
        ::SetWindowTextA(m_edit, m_text.c_str());
    m_selectionMade = true;
    Notify(CBN_SELENDOK);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    CloseList(true);
    Notify(CBN_SELCHANGE);
    OnComplete(byKeyboard);
}

void CAdvComboBox::OnMouseMove(POINT point)
{
    RECT area;
    if (IsDropDownList())
        ::GetClientRect(m_hWnd, &area);
    else
        area = ButtonRect();
    bool hot = ::PtInRect(&area, point) != FALSE;
    if (hot != m_hot) {
        m_hot = hot;
        RECT button = ButtonRect();
        ::InvalidateRect(m_hWnd, &button, FALSE);
    }
    if (m_hot && !m_trackTimer) {
        m_trackTimer = true;
        ::SetTimer(m_hWnd, kHotTimer, 50, nullptr);
    }
}

void CAdvComboBox::OnWheel(int delta)
{
    if (m_drop) {
        m_drop->OnWheel(delta);
        return;
    }
    m_wheel += delta;
    if (m_wheel >= WHEEL_DELTA) {
        m_wheel = 0;
        MoveCurrent(-1);
    } else if (m_wheel <= -WHEEL_DELTA) {
        m_wheel = 0;
        MoveCurrent(1);
    }
}

LRESULT CAdvComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font.Get());
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        ::SetFocus(m_hWnd);
        POINT point = PointFromLParam(lParam);
        RECT button = ButtonRect();
        if (IsDropDownList() || ::PtInRect(&button, point))
            ToggleList();
        return 0;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(PointFromLParam(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kHotTimer) {
            POINT cursor;
            ::GetCursorPos(&cursor);
            ::ScreenToClient(m_hWnd, &cursor);
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            if (!::PtInRect(&client, cursor)) {
                ::KillTimer(m_hWnd, kHotTimer);
                m_trackTimer = false;
                m_hot = false;
                RECT button = ButtonRect();
                ::InvalidateRect(m_hWnd, &button, FALSE);
            }
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown(wParam, (lParam & (1 << 29)) != 0))
            return 0;
        break;
    case WM_CHAR:
        if (wParam == '\r') {
            if (m_drop)
                OnSelectItem(m_drop->Selection(), true);
            else
                OnComplete(true);
            return 0;
        }
        if (wParam == 0x1b)
            return 0;  // handled as a key
        break;
    case WM_SETFOCUS:
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        if (IsDropDownList())
            Notify(CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS: {
        LRESULT result = Default(message, wParam, lParam);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        Notify(CBN_KILLFOCUS);
        OnEscape();
        return result;
    }
    case WM_ACTIVATEAPP:
        if (!wParam)
            CloseList(false);
        break;
    case WM_COMBO_SELECT_ITEM:
        OnSelectItem(static_cast<int>(wParam), false);
        return 0;
    case WM_COMBO_CLOSE_LIST:
        CloseList(m_selectionMade);
        return 0;
    case WM_COMBO_TOGGLE_LIST:
        ToggleList();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kComboEditId && HIWORD(wParam) == EN_CHANGE) {
            char text[1024] = {};
            ::GetWindowTextA(m_edit, text, sizeof text);
            m_text = text;
            Notify(CBN_EDITCHANGE);
            return 0;
        }
        break;
    case CB_ADDSTRING:
        return AddString(lParam ? reinterpret_cast<const char*>(lParam) : "");
    case CB_GETCOUNT:
        return GetCount();
    case CB_GETCURSEL:
        return GetCurSel();
    case CB_SETCURSEL:
        return SetCurSel(static_cast<int>(wParam));
    case CB_SELECTSTRING: {
        int found = FindStringExact(static_cast<int>(wParam),
                                    lParam ? reinterpret_cast<const char*>(lParam) : "");
        return found < 0 ? CB_ERR : SetCurSel(found);
    }
    case CB_FINDSTRINGEXACT:
        return FindStringExact(static_cast<int>(wParam),
                               lParam ? reinterpret_cast<const char*>(lParam) : "");
    case CB_GETLBTEXTLEN:
        return wParam < m_entries.size() ? static_cast<LRESULT>(m_entries[wParam].text.size()) : CB_ERR;
    case CB_GETLBTEXT:
        if (wParam >= m_entries.size() || !lParam)
            return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), m_entries[wParam].text.c_str(),
                    m_entries[wParam].text.size() + 1);
        return static_cast<LRESULT>(m_entries[wParam].text.size());
    case CB_RESETCONTENT:
        CloseList(false);
        m_entries.clear();
        SetCurSel(-1);
        return CB_OKAY;
    case CB_GETTOPINDEX:
        return m_drop ? m_drop->TopIndex() : 0;
    case CB_SETTOPINDEX:
        if (m_drop)
            m_drop->SetTopIndex(static_cast<int>(wParam));
        return CB_OKAY;
    case WM_DESTROY:
        m_drop.reset();
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}
