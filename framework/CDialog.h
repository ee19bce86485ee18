#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/CWnd.h"

// A modal dialog run from a template of the program's resources. One thunk
// keeps `this`; messages go to virtual OnXxx handlers, and registered
// messages (whose ids are known only at run time) to a small table.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

    INT_PTR DoModal();
    // Modeless: the window lives until DestroyWindow.
    bool Create();
    void EndDialog(INT_PTR result);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Commands other than OK and Cancel; true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Everything else; true when handled, with the message's result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
    void OnRegisteredMessage(UINT id, Handler handler);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
    struct Entry {
        UINT id;
        Handler handler;
    };
    std::vector<Entry> m_registered;
};
