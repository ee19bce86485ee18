#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/CUniqueHandle.h"
#include "framework/CMsgWnd.h"

class CDropWnd;

struct ComboEntry {
    std::string text;
    bool disabled = false;
};

// A combo box drawn and driven by the program itself (window class
// "SuperComboBox"), with a drop-down list window of its own.
class CAdvComboBox : public CMsgWnd {
public:
    static const char* const kClassName;

    // `target` receives the combo-box notifications and lends its font.
    explicit CAdvComboBox(HWND target);
    ~CAdvComboBox() override;

    bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parentOrOwner, UINT id);

    int AddString(const std::string& text);
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // Empty text for an index out of range.
    std::string GetLBText(int index) const;
    // First entry from `start` on (-1: from the first) equal byte for byte; -1 if none.
    int FindStringExact(int start, const std::string& text) const;
    // -1 clears; an index out of range is refused with -1.
    int SetCurSel(int index);
    // The first entry equal to the current text, or -1.
    int GetCurSel() const;
    void SetMaxVisibleLines(int lines) { m_maxVisible = lines; }
    int GetMaxVisibleLines() const { return m_maxVisible; }
    bool IsDroppedDown() const { return m_drop != nullptr; }
    HWND GetDropWindow() const;
    const std::vector<ComboEntry>& Entries() const { return m_entries; }
    HFONT Font() const { return m_font.Get(); }

    static constexpr int kMinLinesBelow = 5;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Both do nothing here; the grid's combo reports them.
    virtual void OnEscape() {}
    virtual void OnComplete(bool byKeyboard) { (void)byKeyboard; }

private:
    bool IsDropDownList() const;
    void Notify(WORD code);
    void OnPaint();
    void DrawButton(HDC dc, const RECT& button);
    RECT ButtonRect() const;
    bool OnKeyDown(WPARAM key, bool alt);
    void MoveCurrent(int delta);
    void MakeCurrent(int index);
    void OpenList();
    void CloseList(bool chosen);
    void ToggleList();
    void OnSelectItem(int index, bool byKeyboard);
    void OnMouseMove(POINT point);
    void OnWheel(int delta);

    HWND m_target;
    std::vector<ComboEntry> m_entries;
    int m_current = -1;
    std::string m_text;
    std::unique_ptr<CDropWnd> m_drop;
    bool m_hot = false;
    bool m_trackTimer = false;
    int m_wheel = 0;
    int m_maxVisible = -1;
    CGdiFont m_font;
    HWND m_edit = nullptr;  // editable style only
    bool m_selectionMade = false;
};
