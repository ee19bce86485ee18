#pragma once
#include "framework/CMsgWnd.h"

class CDropWnd;

// The list inside the open drop-down: hover selects, releasing the button
// over an entry chooses it; it never takes the keyboard focus.
class CDropListBox : public CMsgWnd {
public:
    explicit CDropListBox(CDropWnd& drop) : m_drop(drop) {}
    ~CDropListBox() override { DestroyWindow(); }

    // The entry under a client point, or -1.
    int ItemFromPoint(POINT point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CDropWnd& m_drop;
};
