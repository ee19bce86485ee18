#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CXHeaderCtrl.h"
#include "framework/CMsgWnd.h"

class CXEdit;
class CXCombo;

// A report list whose cells keep their own editing state: a click on an
// editable cell opens an in-place text box or drop-down list; the grid
// writes the result into the cell, marks it changed and tells its parent
// ("WM_XLISTCTRL_EDIT_END", "WM_XLISTCTRL_COMBO_SELECTION").
class CXListCtrl : public CMsgWnd {
public:
    CXListCtrl();
    ~CXListCtrl() override;

    // Takes over a list view created from a dialog template.
    bool Attach(HWND list);

    int InsertItem(int row, const std::string& text);
    int InsertItem(int row, const std::string& text, COLORREF textColour, COLORREF backColour);
    bool DeleteAllItems();
    // Drawing off while many cells change; on again, the grid is drawn once.
    void SetRedraw(bool on)
    {
        SendMessage(WM_SETREDRAW, on ? TRUE : FALSE);
        if (on)
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    bool SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    bool SetItemData(int row, LPARAM data);
    LPARAM GetItemData(int row) const;
    bool SetEdit(int row, int column);
    // The list is borrowed: it must live as long as the row.
    bool SetComboBox(int row, int column, bool enable, const std::vector<std::string>* list,
                     int height, int initial);
    // The same; with `sort`, the caller's own list is sorted first.
    bool SetComboBox(int row, int column, bool enable, std::vector<std::string>* list, int height,
                     int initial, bool sort);
    bool GetModified(int row, int column) const;
    bool SetModified(int row, int column, bool modified);
    bool IsChanged() const { return m_changed; }
    int GetCurSel() const;
    int GetColumns() const;
    int GetItemCount() const;
    void UpdateSubItem(int row, int column);
    bool IsEditing() const { return m_edit != nullptr; }
    // A read-only grid opens no text box; its lists open to show their
    // values, but a choice never changes the cell.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }
    bool IsDroppedDown() const { return m_combo != nullptr; }
    // The row whose editor is open, or -1.
    int GetEditorRow() const { return m_edit ? m_editRow : m_combo ? m_comboRow : -1; }
    // No editor is waiting to be accepted, cancelled or freed.
    bool IsSettled() const;

    static const char* const kEmptyText;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Cell {
        COLORREF text;  // CLR_DEFAULT: the system's colour of the moment
        COLORREF back;
        bool edit = false;
        bool combo = false;
        const std::vector<std::string>* list = nullptr;
        bool sort = false;
        int height = 10;
        int initial = -1;
        bool modified = false;
    };
    struct Row {
        std::vector<Cell> cells;
        LPARAM data = 0;
    };

    Row* RowAt(int row) const;
    Cell* CellAt(int row, int column) const;
    bool InRange(int row, int column) const;
    RECT CellRect(int row, int column) const;
    void ReadColours();
    void FreeRows();
    void Notify(UINT message, int row, int column);

    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OpenEdit(int row, int column);
    void EndEdit(bool accept);
    void OpenCombo(int row, int column);
    void OnTimer(UINT_PTR id);
    void OnKeyDown(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    bool OnEraseBackground(HDC dc);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    void DrawCell(HDC dc, int row, int column);
    void StartTimer(UINT_PTR id);
    // An editor about to replace the drop-down first lets the drop-down's
    // pending accept or cancel run: its timer must not end the new editor.
    void FinishPendingCombo();
    // Writes an editor's result into its cell; marks it changed when it
    // differs from the text the cell had when the editor opened.
    void StoreEditorText(int row, int column, const std::string& text);

    CXHeaderCtrl m_header;
    bool m_headerAttached = false;
    bool m_ellipsis = true;
    bool m_changed = false;
    bool m_readOnly = false;
    bool m_acceptByKeyboard = false;
    std::string m_savedText;
    int m_margin = 5;
    std::unique_ptr<CXEdit> m_edit;
    std::unique_ptr<CXEdit> m_retiredEdit;
    int m_editRow = -1, m_editColumn = -1;
    std::unique_ptr<CXCombo> m_combo;
    int m_comboRow = -1, m_comboColumn = -1;
    RECT m_comboRect = {};
    bool m_timerArmed[5] = {};
    unsigned m_timerOrder[5] = {};
    unsigned m_timerSequence = 0;
    COLORREF m_colours[14] = {};
};

// Inserts one column per title: widths in 64ths of the list's width less 2,
// column 1 left-aligned and the others centred, the last taking the rest.
void InsertGridColumns(HWND list, const std::vector<int>& widths,
                       const std::vector<std::string>& titles);
