#include "controls/CXListCtrl.h"

#include <algorithm>

#include "common/TextCompare.h"
#include "framework/CUniqueHandle.h"
#include "controls/CXCombo.h"
#include "controls/CXEdit.h"
#include "controls/GridColumns.h"
#include "controls/GridMessages.h"

const char* const CXListCtrl::kEmptyText = "There are no items to show in this view.";

namespace {

enum : UINT_PTR {
    kUnlockTimer = 1,
    kCancelComboTimer = 2,
    kAcceptComboTimer = 3,
    kRetireEditTimer = 4,
};
constexpr UINT kCellEditId = 99;
constexpr int kMinEditorWidth = 5;

// The 14 system colours, in the order the grid keeps them.
const int kColourIndexes[14] = {
    COLOR_BTNFACE,      COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,  COLOR_ACTIVECAPTION,
    COLOR_BTNFACE,      COLOR_BTNSHADOW,    COLOR_BTNTEXT,    COLOR_GRAYTEXT,
    COLOR_HIGHLIGHT,    COLOR_HIGHLIGHTTEXT, COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT,
    COLOR_WINDOW,       COLOR_WINDOWTEXT,
};
enum { kFace = 0, kHighlight = 8, kHighlightText = 9, kWindow = 12, kWindowText = 13 };

DWORD EditAlignment(int format)
{
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return ES_RIGHT;
    case LVCFMT_CENTER: return ES_CENTER;
    default: return ES_LEFT;
    }
}

UINT TextAlignment(int format)
{
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return DT_RIGHT;
    case HDF_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

CXListCtrl::CXListCtrl() { ReadColours(); }

CXListCtrl::~CXListCtrl()
{
    m_edit.reset();
    m_retiredEdit.reset();
    m_combo.reset();
    if (m_hWnd) {
        FreeRows();
        DestroyWindow();
    }
}

void CXListCtrl::ReadColours()
{
    for (int i = 0; i < 14; ++i)
        m_colours[i] = ::GetSysColor(kColourIndexes[i]);
}

bool CXListCtrl::Attach(HWND list)
{
    if (!SubclassWindow(list))
        return false;
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (header && !m_headerAttached)
        m_headerAttached = m_header.SubclassWindow(header);
    return true;
}

CXListCtrl::Row* CXListCtrl::RowAt(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<Row*>(item.lParam);
}

CXListCtrl::Cell* CXListCtrl::CellAt(int row, int column) const
{
    Row* record = RowAt(row);
    if (!record || column < 0 || column >= static_cast<int>(record->cells.size()))
        return nullptr;
    return &record->cells[static_cast<size_t>(column)];
}

bool CXListCtrl::InRange(int row, int column) const
{
    return row >= 0 && row < GetItemCount() && column >= 0 && column < GetColumns();
}

int CXListCtrl::GetItemCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LVM_GETITEMCOUNT)) : 0;
}

int CXListCtrl::GetColumns() const
{
    HWND header = m_hWnd ? reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)) : nullptr;
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int CXListCtrl::InsertItem(int row, const std::string& text)
{
    return InsertItem(row, text, CLR_DEFAULT, CLR_DEFAULT);
}

int CXListCtrl::InsertItem(int row, const std::string& text, COLORREF textColour,
                           COLORREF backColour)
{
    if (!m_hWnd || row < 0)
        return -1;
    auto record = std::make_unique<Row>();
    int columns = std::max(1, GetColumns());
    for (int i = 0; i < columns; ++i) {
        Cell cell;
        cell.text = i == 0 ? textColour : CLR_DEFAULT;
        cell.back = i == 0 ? backColour : CLR_DEFAULT;
        record->cells.push_back(cell);
    }
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = reinterpret_cast<LPARAM>(record.get());
    int index = static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0)
        record.release();  // the row owns it now
    return index;
}

void CXListCtrl::FreeRows()
{
    int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        Row* record = RowAt(i);
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        item.lParam = 0;
        SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        delete record;
    }
}

bool CXListCtrl::DeleteAllItems()
{
    if (!m_hWnd)
        return false;
    // Rows refer into the objects behind them: editors go first.
    m_edit.reset();
    m_combo.reset();
    FreeRows();
    return SendMessage(LVM_DELETEALLITEMS) != 0;
}

bool CXListCtrl::SetItemText(int row, int column, const std::string& text)
{
    if (!InRange(row, column))
        return false;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    bool ok = SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                          reinterpret_cast<LPARAM>(&item)) != 0;
    UpdateSubItem(row, column);
    return ok;
}

std::string CXListCtrl::GetItemText(int row, int column) const
{
    if (!InRange(row, column))
        return {};
    std::vector<char> buffer(1024);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        int length = static_cast<int>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                                  reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= (1u << 20))
            return std::string(buffer.data());
        buffer.resize(buffer.size() * 4);
    }
}

bool CXListCtrl::SetItemData(int row, LPARAM data)
{
    Row* record = RowAt(row);
    if (!record)
        return false;
    record->data = data;
    return true;
}

LPARAM CXListCtrl::GetItemData(int row) const
{
    Row* record = RowAt(row);
    return record ? record->data : 0;
}

bool CXListCtrl::SetEdit(int row, int column)
{
    Cell* cell = InRange(row, column) ? CellAt(row, column) : nullptr;
    if (!cell)
        return false;
    cell->edit = true;
    UpdateSubItem(row, column);
    return true;
}

bool CXListCtrl::SetComboBox(int row, int column, bool enable, const std::vector<std::string>* list,
                             int height, int initial)
{
    Cell* cell = InRange(row, column) ? CellAt(row, column) : nullptr;
    if (!cell || !list)
        return false;
    if (initial < 0 || initial >= static_cast<int>(list->size()))
        initial = 0;
    cell->combo = enable;
    if (enable) {
        cell->height = height;
        cell->list = list;
        cell->initial = initial;
        SetItemText(row, column, list->empty() ? std::string() : (*list)[static_cast<size_t>(initial)]);
    }
    UpdateSubItem(row, column);
    return true;
}

bool CXListCtrl::SetComboBox(int row, int column, bool enable, std::vector<std::string>* list,
                             int height, int initial, bool sort)
{
    if (enable && sort && list && InRange(row, column))
        std::sort(list->begin(), list->end(), [](const std::string& a, const std::string& b) {
            return ToLowerAscii(a) < ToLowerAscii(b);
        });
    bool ok = SetComboBox(row, column, enable, static_cast<const std::vector<std::string>*>(list),
                          height, initial);
    if (Cell* cell = ok ? CellAt(row, column) : nullptr)
        cell->sort = sort;
    return ok;
}

bool CXListCtrl::GetModified(int row, int column) const
{
    Cell* cell = InRange(row, column) ? CellAt(row, column) : nullptr;
    return cell && cell->modified;
}

bool CXListCtrl::SetModified(int row, int column, bool modified)
{
    Cell* cell = InRange(row, column) ? CellAt(row, column) : nullptr;
    if (!cell)
        return false;
    cell->modified = modified;
    return true;
}

int CXListCtrl::GetCurSel() const
{
    return m_hWnd ? static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                 LVNI_SELECTED))
                  : -1;
}

RECT CXListCtrl::CellRect(int row, int column) const
{
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    if (column == 0) {
        // Column 0's own rectangle spans the whole row.
        int columns = GetColumns();
        for (int next = 1; next < columns; ++next) {
            if (SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(next)) > 0) {
                RECT following = {};
                following.top = next;
                following.left = LVIR_BOUNDS;
                SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                            reinterpret_cast<LPARAM>(&following));
                rect.right = following.left;
                break;
            }
        }
    }
    return rect;
}

void CXListCtrl::UpdateSubItem(int row, int column)
{
    if (!InRange(row, column))
        return;
    RECT rect = CellRect(row, column);
    ::InflateRect(&rect, 2, 2);
    ::InvalidateRect(m_hWnd, &rect, TRUE);
    ::UpdateWindow(m_hWnd);
}

void CXListCtrl::Notify(UINT message, int row, int column)
{
    HWND target = ::GetParent(m_hWnd);
    if (!target)
        target = ::GetWindow(m_hWnd, GW_OWNER);
    if (target && ::IsWindow(target))
        ::SendMessageA(target, message, static_cast<WPARAM>(row), static_cast<LPARAM>(column));
}

void CXListCtrl::StartTimer(UINT_PTR id)
{
    m_timerArmed[id] = true;
    m_timerOrder[id] = ++m_timerSequence;
    ::SetTimer(m_hWnd, id, 50, nullptr);
}

bool CXListCtrl::IsSettled() const
{
    return !m_timerArmed[kCancelComboTimer] && !m_timerArmed[kAcceptComboTimer] &&
           !m_timerArmed[kRetireEditTimer];
}

void CXListCtrl::FinishPendingCombo()
{
    // In the order they were armed, as their timers would have run.
    UINT_PTR first = kCancelComboTimer, second = kAcceptComboTimer;
    if (m_timerOrder[second] < m_timerOrder[first])
        std::swap(first, second);
    for (UINT_PTR id : {first, second})
        if (m_timerArmed[id])
            OnTimer(id);
}

void CXListCtrl::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    LVHITTESTINFO hit = {};
    hit.pt = PointFromLParam(lParam);
    SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    bool onCell = (hit.flags & LVHT_ONITEM) && hit.iItem >= 0 && GetColumns() > 0 &&
                  InRange(hit.iItem, hit.iSubItem);
    if (!onCell) {
        if (m_combo)
            StartTimer(kCancelComboTimer);
        Default(WM_LBUTTONDOWN, wParam, lParam);
        return;
    }
    Cell* cell = CellAt(hit.iItem, hit.iSubItem);
    Default(WM_LBUTTONDOWN, wParam, lParam);  // selects the row
    if (!cell || !::IsWindow(m_hWnd))
        return;
    if (cell->combo)
        OpenCombo(hit.iItem, hit.iSubItem);
    else if (cell->edit && !m_readOnly)
        OpenEdit(hit.iItem, hit.iSubItem);
}

void CXListCtrl::OpenEdit(int row, int column)
{
    int width = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    if (width < kMinEditorWidth || !SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE))
        return;
    FinishPendingCombo();
    m_combo.reset();
    EndEdit(true);
    int offset = 0;
    for (int i = 0; i < column; ++i)
        offset += static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (bounds.left + offset < 0 || bounds.left + offset > client.right) {
        int scroll = bounds.left + offset;
        SendMessage(LVM_SCROLL, static_cast<WPARAM>(scroll), 0);
        bounds.left -= scroll;
    }
    LVCOLUMNA format = {};
    format.mask = LVCF_FMT;
    SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&format));
    RECT rect;
    rect.left = bounds.left + offset + 2;
    rect.right = std::min(static_cast<LONG>(rect.left + width - 4), client.right);
    rect.top = bounds.top;
    rect.bottom = bounds.bottom + 1;
    m_savedText = GetItemText(row, column);
    m_edit = std::make_unique<CXEdit>(m_hWnd, m_savedText);
    m_editRow = row;
    m_editColumn = column;
    if (!m_edit->Create(m_hWnd, rect, EditAlignment(format.fmt), kCellEditId))
        m_edit.reset();
}

void CXListCtrl::EndEdit(bool accept)
{
    if (!m_edit)
        return;
    std::string text = m_edit->GetWindowText();
    int row = m_editRow, column = m_editColumn;
    // The box is in the middle of its own message: hide it now, free it soon.
    bool hadFocus = ::GetFocus() == m_edit->GetSafeHwnd();
    m_retiredEdit = std::move(m_edit);
    m_retiredEdit->ShowWindow(SW_HIDE);
    if (hadFocus)
        ::SetFocus(m_hWnd);
    StartTimer(kRetireEditTimer);
    if (!accept) {
        SetItemText(row, column, m_savedText);
        return;
    }
    if (text.empty())
        text = m_savedText;  // an edit never leaves a cell empty
    StoreEditorText(row, column, text);
    Notify(WM_XLISTCTRL_EDIT_END, row, column);
}

void CXListCtrl::StoreEditorText(int row, int column, const std::string& text)
{
    SetItemText(row, column, text);  // repaints the cell
    if (text == m_savedText)
        return;
    if (Cell* cell = CellAt(row, column))
        cell->modified = true;
    m_changed = true;
}

void CXListCtrl::OpenCombo(int row, int column)
{
    int width = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    if (width < kMinEditorWidth)
        return;
    FinishPendingCombo();
    EndEdit(true);
    m_combo.reset();
    Cell* cell = CellAt(row, column);
    if (!cell)
        return;
    RECT rect = CellRect(row, column);
    rect.top -= 1;
    rect.left += 1;
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::MapWindowPoints(m_hWnd, nullptr, corners, 2);
    if (::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        std::swap(corners[0].x, corners[1].x);
    m_comboRect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    m_combo = std::make_unique<CXCombo>(m_hWnd);
    if (!m_combo->Create(0, WS_POPUP | WS_VISIBLE | CBS_DROPDOWNLIST, m_comboRect, m_hWnd, 0)) {
        m_combo.reset();
        return;
    }
    m_comboRow = row;
    m_comboColumn = column;
    ::LockWindowUpdate(m_hWnd);
    const std::vector<std::string>* list = cell->list;
    if (list)
        for (const std::string& text : *list)
            if (!text.empty())
                m_combo->AddString(text);
    m_combo->SetMaxVisibleLines(cell->height);

    std::string start;
    bool fromFirst = false;
    if (list && cell->initial >= 0 && cell->initial < static_cast<int>(list->size())) {
        start = (*list)[static_cast<size_t>(cell->initial)];
        SetItemText(row, column, start);
        cell->initial = -1;  // only the first opening
    } else {
        start = GetItemText(row, column);
        if (start.empty() && m_combo->GetCount() > 0) {
            start = m_combo->GetLBText(0);
            SetItemText(row, column, start);
            fromFirst = true;
        }
    }
    int selected = fromFirst ? 0 : m_combo->FindStringExact(-1, start);
    if (selected < 0)
        selected = 0;
    m_combo->SetCurSel(selected);
    m_savedText = m_combo->GetLBText(selected);
    StartTimer(kUnlockTimer);
    ::InvalidateRect(*m_combo, nullptr, TRUE);
    ::UpdateWindow(*m_combo);
    ::SetWindowPos(*m_combo, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetFocus(*m_combo);
}

void CXListCtrl::OnTimer(UINT_PTR id)
{
    ::KillTimer(m_hWnd, id);
    m_timerArmed[id] = false;
    switch (id) {
    case kUnlockTimer:
        ::LockWindowUpdate(nullptr);
        break;
    case kRetireEditTimer:
        m_retiredEdit.reset();
        break;
    case kCancelComboTimer:
        if (m_combo) {
            bool hadFocus = ::GetFocus() == m_combo->GetSafeHwnd();
            UpdateSubItem(m_comboRow, m_comboColumn);
            m_combo.reset();
            if (hadFocus)
                ::SetFocus(m_hWnd);
        }
        break;
    case kAcceptComboTimer:
        if (m_combo) {
            int index = m_combo->GetCurSel();
            DWORD position = ::GetMessagePos();
            LVHITTESTINFO hit = {};
            hit.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
            ::ScreenToClient(m_hWnd, &hit.pt);
            SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            std::string text = m_combo->GetLBText(index);
            bool hadFocus = ::GetFocus() == m_combo->GetSafeHwnd();
            int row = m_comboRow, column = m_comboColumn;
            // A choice made with the keyboard counts wherever the pointer is.
            bool byKeyboard = m_acceptByKeyboard;
            m_acceptByKeyboard = false;
            m_combo.reset();
            if (hadFocus)
                ::SetFocus(m_hWnd);
            if (index >= 0 && (byKeyboard || hit.iSubItem == 1)) {
                if (m_readOnly)
                    UpdateSubItem(row, column);
                else
                    StoreEditorText(row, column, text);
                Notify(WM_XLISTCTRL_COMBO_SELECTION, row, column);
            }
        }
        break;
    default:
        break;
    }
}

void CXListCtrl::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    Default(WM_KEYDOWN, wParam, lParam);
    int row = GetCurSel();
    if (row < 0)
        return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void CXListCtrl::DrawCell(HDC dc, int row, int column)
{
    Cell* cell = CellAt(row, column);
    // Cells without colours of their own follow the system's.
    COLORREF text = cell && cell->text != CLR_DEFAULT ? cell->text : m_colours[kWindowText];
    COLORREF back = cell && cell->back != CLR_DEFAULT ? cell->back : m_colours[kWindow];
    bool selected = SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
    DWORD extended = static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
    if (selected && ((extended & LVS_EX_FULLROWSELECT) || column == 0)) {
        if (::GetFocus() == m_hWnd) {
            text = m_colours[kHighlightText];
            back = m_colours[kHighlight];
        } else if (::GetWindowLongA(m_hWnd, GWL_STYLE) & LVS_SHOWSELALWAYS) {
            text = m_colours[kWindowText];
            back = m_colours[kFace];
        }
    }
    RECT rect = CellRect(row, column);
    FillSolid(dc, rect, back);
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    ::SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    std::string value = GetItemText(row, column);
    rect.left += m_margin;
    rect.right -= m_margin;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, text);
    ::DrawTextA(dc, value.c_str(), -1, &rect,
                TextAlignment(item.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                    (m_ellipsis ? DT_END_ELLIPSIS : 0));
}

LRESULT CXListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        DrawCell(draw->nmcd.hdc, static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void CXListCtrl::OnPaint()
{
    Default(WM_PAINT, 0, 0);
    if (GetItemCount() != 0)
        return;
    RECT area;
    ::GetClientRect(m_hWnd, &area);
    HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (header && ::IsWindowVisible(header)) {
        RECT headerRect;
        ::GetWindowRect(header, &headerRect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&headerRect), 2);
        area.top = headerRect.bottom;
    }
    area.top += 10;
    CWindowDc windowDc(m_hWnd);
    HDC dc = windowDc.Get();
    FillSolid(dc, area, m_colours[kWindow]);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(ANSI_VAR_FONT));
    ::SetTextColor(dc, m_colours[kWindowText]);
    ::SetBkColor(dc, m_colours[kWindow]);
    ::DrawTextA(dc, kEmptyText, -1, &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
}

bool CXListCtrl::OnEraseBackground(HDC dc)
{
    int count = GetItemCount();
    if (count == 0)
        return false;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    int visible = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
    int last = std::min(count - 1, top + visible);
    RECT first = {}, final = {};
    first.left = LVIR_BOUNDS;
    final.left = LVIR_BOUNDS;
    SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&first));
    SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(last), reinterpret_cast<LPARAM>(&final));
    RECT above = {client.left, client.top, client.right, first.top};
    RECT below = {client.left, final.bottom, client.right, client.bottom};
    RECT right = {final.right, first.top, client.right, final.bottom};
    for (const RECT& part : {above, below, right})
        if (part.right > part.left && part.bottom > part.top)
            FillSolid(dc, part, m_colours[kWindow]);
    return true;
}

LRESULT CXListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_XEDIT_KILL_FOCUS) {
        EndEdit(true);
        return 0;
    }
    if (message == WM_XEDIT_VK_ESCAPE) {
        EndEdit(false);
        return 0;
    }
    if (message == WM_XCOMBOLIST_COMPLETE) {
        if (wParam == kCompleteByKeyboard)
            m_acceptByKeyboard = true;
        StartTimer(kAcceptComboTimer);
        return 0;
    }
    if (message == WM_XCOMBOLIST_VK_ESCAPE) {
        StartTimer(kCancelComboTimer);
        return 0;
    }
    if (message == WM_KEYSTAVE_REFLECT_NOTIFY) {
        auto* reflected = reinterpret_cast<ReflectedNotify*>(lParam);
        switch (reflected->header->code) {
        case NM_CUSTOMDRAW:
            reflected->result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(reflected->header));
            reflected->handled = true;
            break;
        case LVN_COLUMNCLICK:
            reflected->handled = true;  // the grid never sorts
            break;
        default:
            break;
        }
        return 0;
    }
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_NCLBUTTONDOWN:
        EndEdit(true);
        break;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        if (OnEraseBackground(reinterpret_cast<HDC>(wParam)))
            return TRUE;
        break;
    case WM_SYSCOLORCHANGE:
        ReadColours();
        break;
    case WM_SETFOCUS:
        // Tabbed into with nothing selected: show where the focus is.
        if (GetCurSel() < 0 && GetItemCount() > 0) {
            LVITEMA item = {};
            item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            item.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessage(LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        }
        break;
    case WM_TIMER:
        if (wParam < 5 && m_timerArmed[wParam]) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_DESTROY:
        m_edit.reset();
        m_retiredEdit.reset();
        m_combo.reset();
        FreeRows();
        m_headerAttached = false;
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void InsertGridColumns(HWND list, const std::vector<int>& widths,
                       const std::vector<std::string>& titles)
{
    RECT window;
    ::GetWindowRect(list, &window);
    std::vector<GridColumn> columns =
        LayOutGridColumns(window.right - window.left, widths, titles.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columns[i].centred ? LVCFMT_CENTER : LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(titles[i].c_str());
        column.iSubItem = static_cast<int>(i);
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}
