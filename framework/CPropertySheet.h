#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/CWnd.h"

class CPropertyPage;

// The wizard's own buttons, and what a finished wizard answers.
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

// A property sheet over pages the caller owns, plain or in wizard mode.
class CPropertySheet : public CWnd {
public:
    CPropertySheet(const std::string& caption, HWND parent)
        : m_caption(caption), m_parent(parent) {}

    void AddPage(CPropertyPage* page) { m_pages.push_back(page); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    void SetWizardMode() { m_wizard = true; }

    // Modal; without a parent owned as a parentless dialog is. A wizard
    // answers ID_WIZFINISH or IDCANCEL, a plain sheet IDOK or IDCANCEL.
    INT_PTR DoModal();
    // Modeless: the caller's message loop runs it (tests drive it so).
    bool Create();

    // The page in view: its index, or -1.
    int GetActiveIndex() const;
    void SetWizardButtons(DWORD flags) { SendMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }
    // A modeless sheet whose last page ended (Finish, Cancel): time to destroy it.
    bool IsFinished() const { return m_hWnd && !SendMessage(PSM_GETCURRENTPAGEHWND); }

private:
    INT_PTR Run(bool modeless);
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);

    std::string m_caption;
    HWND m_parent;
    bool m_wizard = false;
    std::vector<CPropertyPage*> m_pages;
};
