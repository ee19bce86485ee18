#pragma once
#include "framework/CMsgWnd.h"

class CDropWnd;

// The vertical scroll bar beside the list; scrolling moves the list's top.
class CDropScrollBar : public CMsgWnd {
public:
    explicit CDropScrollBar(CDropWnd& drop) : m_drop(drop) {}
    ~CDropScrollBar() override { DestroyWindow(); }

    void Follow(int top, int count, int page);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CDropWnd& m_drop;
};
