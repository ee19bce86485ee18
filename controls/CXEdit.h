#pragma once
#include <string>

#include "framework/CMsgWnd.h"

// The grid's in-place text box: Enter and focus loss send
// "WM_XEDIT_KILL_FOCUS", Escape "WM_XEDIT_VK_ESCAPE" to the owner, once.
class CXEdit : public CMsgWnd {
public:
    CXEdit(HWND owner, const std::string& text) : m_owner(owner), m_text(text) {}
    ~CXEdit() override { DestroyWindow(); }

    // Creates the box as a visible child of `parent`, with the alignment
    // style (ES_LEFT, ES_CENTER or ES_RIGHT), selects its text and takes the
    // focus and the mouse.
    bool Create(HWND parent, const RECT& rect, DWORD alignment, UINT id);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Notify(UINT message);
    void OnPaint();

    HWND m_owner;
    std::string m_text;
    bool m_notified = false;
};
