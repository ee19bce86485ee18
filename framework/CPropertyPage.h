#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/CWnd.h"

// One page of a property sheet, made from a dialog template of the
// program's resources. In wizard mode the sheet asks the page where Next
// and Back lead: 0 to the neighbouring page, -1 to stay, or the template
// id of the page to go to.
class CPropertyPage : public CWnd {
public:
    explicit CPropertyPage(UINT templateId);

    UINT TemplateId() const { return m_templateId; }
    // What the sheet is built from; `this` travels in its lParam.
    PROPSHEETPAGEA Description();

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
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
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The sheet's window, and its wizard buttons (PSWIZB_ flags).
    HWND Sheet() const { return ::GetParent(m_hWnd); }
    void SetWizardButtons(DWORD flags);

private:
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSheetNotify(const NMHDR& header, LRESULT& result);

    UINT m_templateId;
};
