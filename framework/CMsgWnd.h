#pragma once
#include <windows.h>

#include "framework/CWnd.h"

// A window whose messages reach the virtual WindowProc: either a control
// created elsewhere and subclassed here, or a window of a class registered
// with StaticProc. One thunk keeps `this` in a window property.
class CMsgWnd : public CWnd {
public:
    CMsgWnd() = default;
    CMsgWnd(const CMsgWnd&) = delete;
    CMsgWnd& operator=(const CMsgWnd&) = delete;
    ~CMsgWnd() override;

    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, HWND dialog) { return SubclassWindow(::GetDlgItem(dialog, id)); }
    // Creates a window; a class not registered with StaticProc is subclassed.
    bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    BOOL DestroyWindow();

    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Registers a window class whose messages go to StaticProc; true if it
    // exists afterwards.
    static bool RegisterClassOnce(const char* name, UINT style, HCURSOR cursor, HBRUSH background);

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handling the window would have had without us.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}

private:
    void Attach(HWND hwnd);
    void Detach();

    WNDPROC m_oldProc = nullptr;
};

// Sent by a dialog to the control that raised a WM_NOTIFY, so that the
// control can handle its own notifications; lParam is a ReflectedNotify.
extern const UINT WM_KEYSTAVE_REFLECT_NOTIFY;
struct ReflectedNotify {
    NMHDR* header;
    bool handled;
    LRESULT result;
};
