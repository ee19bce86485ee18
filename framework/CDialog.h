#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/CWnd.h"

// A modal dialog run from a template of the program's resources. One thunk
// keeps `this`; messages go to virtual OnXxx handlers, registered messages
// (whose ids are known only at run time) and control notifications to
// small tables.
class CDialog : public CWnd {
public:
    CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

    // Without a parent, the dialog is owned by the program's active window
    // (the main window's last active pop-up), which it disables while open.
    INT_PTR DoModal();
    // Modeless: the window lives until DestroyWindow.
    bool Create();
    void EndDialog(INT_PTR result);

    // The owner a parentless modal window of this thread gets; null when the
    // program has no window yet.
    static HWND DefaultOwner();

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
    // A WM_NOTIFY of control `controlId` with `code`; the handler's answer
    // is the notification's result.
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;
    void OnNotify(int controlId, UINT code, NotifyHandler handler);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR InitDialog();
    bool DispatchNotify(NMHDR& header, LRESULT& result);

    UINT m_templateId;
    HWND m_parent;
    struct Entry {
        UINT id;
        Handler handler;
    };
    std::vector<Entry> m_registered;
    struct NotifyEntry {
        int controlId;
        UINT code;
        NotifyHandler handler;
    };
    std::vector<NotifyEntry> m_notifications;
};

// What a dialog procedure returns for a message it handled with `result`:
// a few messages take the result as the procedure's own return value, all
// others through the dialog's message-result slot.
INT_PTR DialogAnswer(HWND dialog, UINT message, LRESULT result);
