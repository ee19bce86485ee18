#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "framework/CListCtrl.h"
#include "framework/CUniqueHandle.h"

// Rows of a report list moved by dragging them, with the drag image and the
// drop highlight. The owning dialog passes on the list's LVN_BEGINDRAG and
// its own mouse messages while a drag is on; a drop on the list calls
// `dropped(dragIndex, dropIndex)` (-1: below the last row).
class CDragReorder {
public:
    using Dropped = std::function<void(int dragIndex, int dropIndex)>;
    CDragReorder(CListCtrl& list, Dropped dropped) : m_list(list), m_dropped(std::move(dropped)) {}

    // Starts a drag; the mouse is captured by `owner`.
    LRESULT Begin(HWND owner, const NMLISTVIEW& start);
    // WM_MOUSEMOVE and WM_LBUTTONUP of the owner during a drag; false for
    // any other message, or when no drag is on.
    bool OnMessage(UINT message, LPARAM lParam);
    bool Dragging() const { return m_dragging; }

private:
    void Move(POINT point);
    void End(POINT point);
    void SetDropHighlight(int row, bool on);

    CListCtrl& m_list;
    Dropped m_dropped;
    HWND m_owner = nullptr;
    CImageListHandle m_dragImage;
    bool m_dragging = false;
    int m_dragIndex = -1;
    int m_dropIndex = -1;
};
