#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/CWnd.h"

// A window made from a dialog template: the one procedure thunk that keeps
// `this`, and the handler table both modal dialogs and property pages use.
// Messages go to virtual OnXxx handlers, registered messages (whose ids are
// known only at run time) and control notifications to small tables.
class CDialogWindow : public CWnd {
protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Commands; true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Everything else; true when handled, with the message's result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    using Handler = std::function<LRESULT(WPARAM, LPARAM)>;
    void OnRegisteredMessage(UINT id, Handler handler);
    // A WM_NOTIFY of control `controlId` with `code`; the handler's answer
    // is the notification's result.
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;
    void OnNotify(int controlId, UINT code, NotifyHandler handler);

    // The procedure a template is created with. `FromInit` finds the object
    // in WM_INITDIALOG's lParam, which differs between dialogs and pages.
    template <CDialogWindow* (*FromInit)(LPARAM)>
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CDialogWindow* self = message == WM_INITDIALOG ? FromInit(lParam) : nullptr;
        return Route(self, hwnd, message, wParam, lParam);
    }

    // Hooks for the kinds: a notification before the table sees it (a
    // page's sheet notifications), a command no handler took (OK, Cancel).
    virtual bool OnOwnNotify(NMHDR&, LRESULT&) { return false; }
    virtual bool OnUnhandledCommand(WORD) { return false; }

private:
    static INT_PTR Route(CDialogWindow* initial, HWND hwnd, UINT message, WPARAM wParam,
                         LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR InitDialog();
    bool DispatchNotify(NMHDR& header, LRESULT& result);
    bool DispatchRegistered(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

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
