#pragma once
#include "controls/CDropListBox.h"
#include "controls/CDropScrollBar.h"
#include "framework/CMsgWnd.h"

class CAdvComboBox;

// The open list of a CAdvComboBox: a top-most tool window below (or above)
// the combo holding the list, its scroll bar and a size grip. It is never
// activated, so the combo keeps the keyboard focus.
class CDropWnd : public CMsgWnd {
public:
    explicit CDropWnd(CAdvComboBox& combo);
    ~CDropWnd() override;

    bool Open();
    int Selection() const;
    void MoveSelection(int delta);
    void Select(int index);
    int TopIndex() const;
    void SetTopIndex(int top);
    int VisibleLines() const;
    void OnWheel(int delta);
    // The pointer left the list or the scroll bar: the drop window tracks it again.
    void TakeCapture();
    void Choose(int index);

    static const char* const kClassName;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    RECT GripRect() const;
    void OnMouseMove(POINT point);
    void OnButtonDown(POINT point);
    void OnButtonUp(POINT point);
    void SyncScrollBar();
    int ItemHeight() const;

    CAdvComboBox& m_combo;
    CDropListBox m_list;
    CDropScrollBar m_scroll;
    bool m_resizing = false;
    SIZE m_resizeOffset = {};
    int m_wheel = 0;
};
