#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/CDialogWindow.h"

// One page of a property sheet, made from a dialog template of the
// program's resources. In wizard mode the sheet asks the page where Next
// and Back lead: 0 to the neighbouring page, -1 to stay, or the template
// id of the page to go to.
class CPropertyPage : public CDialogWindow {
public:
    explicit CPropertyPage(UINT templateId);

    UINT TemplateId() const { return m_templateId; }
    // What the sheet is built from; `this` travels in its lParam.
    PROPSHEETPAGEA Description();

protected:
    // Coming into view; false keeps the sheet from showing this page.
    virtual bool OnSetActive() { return true; }
    // Leaving; false keeps the page (its fields are not valid).
    virtual bool OnKillActive() { return true; }
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // Finish pressed; false keeps the wizard open.
    virtual bool OnWizardFinish() { return true; }
    // The sheet was cancelled.
    virtual void OnReset() {}

    // The sheet's window, and its wizard buttons (PSWIZB_ flags).
    HWND Sheet() const { return ::GetParent(m_hWnd); }
    void SetWizardButtons(DWORD flags);

private:
    static CDialogWindow* FromInit(LPARAM lParam);
    bool OnOwnNotify(NMHDR& header, LRESULT& result) override;

    UINT m_templateId;
};
