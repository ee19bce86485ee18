#include "dialogs/CNewEntryPreviewPage.h"

#include <algorithm>

#include "dialogs/WindowWritePath.h"
#include "framework/CListBox.h"
#include "framework/MessageBoxes.h"
#include "res/resource.h"

namespace {

std::string FailureText(const NewEntryOutcome& outcome)
{
    std::string text = "The entry was not made.";
    if (!outcome.failedCommand.empty())
        text += "\n\nBCDEDIT.EXE did not make this command:\n" + outcome.failedCommand;
    if (!outcome.words.empty()) {
        text += "\n";
        for (const std::string& line : outcome.words)
            text += "\n" + line;
    }
    if (outcome.rolledBack)
        text += "\n\nThe entry it had made, " + outcome.identifier + ", was deleted again: the store is as it was.";
    else if (outcome.rollbackFailed)
        text += "\n\nThe entry it had made, " + outcome.identifier +
                ", could not be deleted again: delete it from the list (\"Show all entries\" lists it).";
    return text;
}

}  // namespace

CNewEntryPreviewPage::CNewEntryPreviewPage(NewEntryWizardState& state)
    : CPropertyPage(IDD_CREATE_PREVIEW), m_state(state)
{
}

bool CNewEntryPreviewPage::OnSetActive()
{
    CListBox commands(GetDlgItem(IDC_NEW_PREVIEW));
    commands.ResetContent();
    size_t longest = 0;
    for (const std::string& line : NewEntryPreview(m_state.entry)) {
        commands.AddString(line);
        longest = std::max(longest, line.size());
    }
    // Long paths scroll sideways rather than end out of sight.
    commands.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(longest * 8 + 16));
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return true;
}

LRESULT CNewEntryPreviewPage::OnWizardBack() { return static_cast<LRESULT>(m_state.kindPage); }

bool CNewEntryPreviewPage::OnWizardFinish()
{
    // The wizard tells of a failure itself, with the rollback, in one message.
    m_state.outcome = MakeNewEntry(QuietWindowWritePath(m_state.session, Sheet()), m_state.entry);
    if (m_state.outcome.made)
        return true;
    ShowError(Sheet(), FailureText(m_state.outcome));
    return false;
}
