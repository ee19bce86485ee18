#include "dialogs/WindowWritePath.h"
#include "framework/MessageBoxes.h"

#include "dialogs/CCommandLogDlg.h"

namespace {

// A change with no backup behind it happens only when the user says so.
bool AskToGoOnWithoutBackup(HWND owner, const std::vector<std::string>& lines)
{
    std::string text = "The boot configuration could not be backed up before this change:\n\n";
    for (const std::string& line : lines)
        text += line + "\n";
    text += "\nGo on without a backup?";
    return AskYesNo(owner, text);
}

WriteFeedback HistoryFeedback(CSession& session, HWND owner)
{
    WriteFeedback feedback;
    feedback.refused = [&session](const std::string& reason) { session.RecordRefusal({}, reason); };
    feedback.beforeRun = [&session, owner](const std::string& arguments) {
        return session.ReadyToChange(arguments, [owner](const std::vector<std::string>& lines) {
            return AskToGoOnWithoutBackup(owner, lines);
        });
    };
    feedback.confirmed = [&session](const ElementChange& change) { session.NoteChange(change); };
    return feedback;
}

}  // namespace

CWritePath QuietWindowWritePath(CSession& session, HWND owner)
{
    return CWritePath(RunThrough(session), HistoryFeedback(session, owner));
}

CWritePath WindowWritePath(CSession& session, HWND owner)
{
    WriteFeedback feedback = HistoryFeedback(session, owner);
    feedback.refused = [&session, owner](const std::string& reason) {
        session.RecordRefusal({}, reason);
        ShowError(owner, reason);
    };
    feedback.failed = [owner](const std::string& arguments, const std::vector<std::string>& lines) {
        CCommandLogDlg log(arguments, lines, owner);
        log.DoModal();
    };
    return CWritePath(RunThrough(session), std::move(feedback));
}
