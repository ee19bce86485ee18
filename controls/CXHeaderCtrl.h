#pragma once
#include "framework/CMsgWnd.h"

// The grid's header: paints itself off screen, and takes a double click
// as a single click.
class CXHeaderCtrl : public CMsgWnd {
public:
    CXHeaderCtrl() { ReadColours(); }
    ~CXHeaderCtrl() override { DestroyWindow(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadColours();
    void OnPaint();
    void DrawItem(HDC dc, int index, const RECT& rect, bool last);

    COLORREF m_highlight, m_shadow, m_face, m_text;
};
