#pragma once
#include <windows.h>

#include "framework/CDialogWindow.h"

// A modal (or modeless) dialog run from a template of the program's
// resources; OK and Cancel end it unless a handler says otherwise.
class CDialog : public CDialogWindow {
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
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    static CDialogWindow* FromInit(LPARAM lParam);
    bool OnUnhandledCommand(WORD id) override;

    UINT m_templateId;
    HWND m_parent;
};
