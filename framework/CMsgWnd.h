#pragma once
#include <windows.h>

#include "framework/CWnd.h"

// A window whose messages reach the virtual WindowProc: either a control
// created elsewhere and subclassed here (through the common controls'
// subclass chain), or a window of a class registered with StaticProc. A
// window property keeps `this`, so one window has at most one object.
class CMsgWnd : public CWnd {
public:
    CMsgWnd() = default;
    ~CMsgWnd() override;

    // False when the window is null, this object already has one, or the
    // window already belongs to an object: a second subclass would call
    // itself for ever.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, HWND dialog) { return SubclassWindow(::GetDlgItem(dialog, id)); }
    // Creates a window; a class not registered with StaticProc is subclassed.
    bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    BOOL DestroyWindow();

    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The object a window belongs to, or null.
    static CMsgWnd* FromHandle(HWND hwnd);
    // Registers a window class whose messages go to StaticProc; true if it
    // exists afterwards.
    static bool RegisterClassOnce(const char* name, UINT style, HCURSOR cursor, HBRUSH background);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling the window would have had without us.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hwnd);
    void Detach();

    bool m_subclassed = false;
};

// Sent by a dialog to the control that raised a WM_NOTIFY, so that the
// control can handle its own notifications; lParam is a ReflectedNotify.
extern const UINT WM_KEYSTAVE_REFLECT_NOTIFY;
struct ReflectedNotify {
    NMHDR* header;
    bool handled;
    LRESULT result;
};
