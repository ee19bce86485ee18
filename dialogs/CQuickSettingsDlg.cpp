#include "dialogs/CQuickSettingsDlg.h"
#include "framework/MessageBoxes.h"

#include "exec/ToolWords.h"
#include "dialogs/WindowWritePath.h"
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "model/CBcdObject.h"
#include "model/QuickSettings.h"
#include "res/resource.h"

namespace {

struct SwitchControls {
    QuickSwitch which;
    int combo;
    int note;
};
const SwitchControls kSwitchControls[] = {
    {QuickSwitch::HyperV, IDC_QS_HYPERV, IDC_QS_HYPERV_NOTE},
    {QuickSwitch::TestSigning, IDC_QS_TESTSIGNING, IDC_QS_TESTSIGNING_NOTE},
    {QuickSwitch::UnsignedDrivers, IDC_QS_UNSIGNED, IDC_QS_UNSIGNED_NOTE},
    {QuickSwitch::SafeMode, IDC_QS_SAFEMODE, IDC_QS_SAFEMODE_NOTE},
    {QuickSwitch::StartupMenu, IDC_QS_MENU, IDC_QS_MENU_NOTE},
    {QuickSwitch::StartupMenuOnce, IDC_QS_MENU_ONCE, IDC_QS_MENU_ONCE_NOTE},
};

}  // namespace

CQuickSettingsDlg::CQuickSettingsDlg(CSession& session, const CBcdObject& entry, const CBcdObject* manager,
                                     const std::vector<const CBcdObject*>& menuEntries, HWND parent)
    : CDialog(IDD_QUICK_SETTINGS, parent), m_session(session), m_entry(entry), m_manager(manager), m_menuEntries(menuEntries)
{
}

BOOL CQuickSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    std::string entry = "\"" + m_entry.GetDescription() + "\" " + m_entry.GetIdentifier();
    ::SetDlgItemTextA(m_hWnd, IDC_QS_ENTRY, entry.c_str());
    FillSwitches();
    FillMenu();
    return TRUE;
}

void CQuickSettingsDlg::FillSwitches()
{
    for (const SwitchControls& controls : kSwitchControls) {
        CComboBox combo(GetDlgItem(controls.combo));
        for (const std::string& choice : QuickChoices(controls.which))
            combo.AddString(choice);
        combo.SetCurSel(static_cast<int>(QuickChoiceOf(controls.which, m_entry)));
        ::SetDlgItemTextA(m_hWnd, controls.note, QuickSwitchNote(controls.which).c_str());
    }
}

void CQuickSettingsDlg::FillMenu()
{
    if (!m_manager) {
        for (int id : {IDC_QS_TIMEOUT, IDC_QS_DEFAULT, IDC_QS_SHOW_MENU})
            ::EnableWindow(GetDlgItem(id), FALSE);
        return;
    }
    MenuChoice menu = MenuChoiceOf(*m_manager);
    ::SetDlgItemTextA(m_hWnd, IDC_QS_TIMEOUT, menu.timeout.c_str());
    CComboBox defaults(GetDlgItem(IDC_QS_DEFAULT));
    for (size_t i = 0; i < m_menuEntries.size(); ++i) {
        int row = defaults.AddString(m_menuEntries[i]->GetDescription() + " " + m_menuEntries[i]->GetIdentifier());
        defaults.SetItemData(row, static_cast<LPARAM>(i));
        if (m_menuEntries[i]->GetIdentifier() == menu.defaultEntry)
            defaults.SetCurSel(row);
    }
    CButton(GetDlgItem(IDC_QS_SHOW_MENU)).SetCheck(menu.showMenu ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<ToolCommand> CQuickSettingsDlg::Plan(std::string& refusal) const
{
    std::vector<ToolCommand> commands;
    for (const SwitchControls& controls : kSwitchControls) {
        int chosen = CComboBox(GetDlgItem(controls.combo)).GetCurSel();
        if (chosen < 0)
            continue;
        for (ToolCommand& command : QuickSwitchCommands(controls.which, m_entry, static_cast<size_t>(chosen)))
            commands.push_back(std::move(command));
    }
    if (!m_manager)
        return commands;
    MenuChoice menu;
    char timeout[16] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_QS_TIMEOUT, timeout, sizeof timeout);
    menu.timeout = timeout;
    CComboBox defaults(GetDlgItem(IDC_QS_DEFAULT));
    int chosen = defaults.GetCurSel();
    if (chosen >= 0)
        menu.defaultEntry = m_menuEntries[static_cast<size_t>(defaults.GetItemData(chosen))]->GetIdentifier();
    menu.showMenu = CButton(GetDlgItem(IDC_QS_SHOW_MENU)).GetCheck() == BST_CHECKED;
    for (ToolCommand& command : MenuCommands(*m_manager, menu, refusal))
        commands.push_back(std::move(command));
    return refusal.empty() ? commands : std::vector<ToolCommand>();
}

void CQuickSettingsDlg::OnOK()
{
    std::string refusal;
    std::vector<ToolCommand> commands = Plan(refusal);
    if (!refusal.empty()) {
        ShowError(m_hWnd, refusal);
        return;
    }
    WritesOutcome outcome = ApplyWrites(QuietWindowWritePath(m_session, m_hWnd), commands);
    if (outcome.stopped)
        TellNotMade(commands[outcome.made], outcome.words, commands.size() - outcome.made - 1);
    EndDialog(outcome.made > 0 ? IDOK : IDCANCEL);
}

void CQuickSettingsDlg::TellNotMade(const ToolCommand& command, const std::vector<std::string>& lines,
                                    size_t notSent)
{
    std::string text = "This change was not made:\n" + command.arguments + "\n\nBCDEDIT.EXE said:\n";
    for (const std::string& line : lines)
        text += line + "\n";
    std::string advice = RefusalAdvice(lines);
    if (!advice.empty())
        text += "\n" + advice + "\n";
    if (notSent > 0)
        text += "\n" + std::to_string(notSent) + (notSent == 1 ? " later change was" : " later changes were") +
                " not sent.";
    ShowError(m_hWnd, text);
}
