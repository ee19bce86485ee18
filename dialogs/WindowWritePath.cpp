#include "dialogs/WindowWritePath.h"

#include "dialogs/CCommandLogDlg.h"

namespace {

// A change with no backup behind it happens only when the user says so.
bool AskToGoOnWithoutBackup(HWND owner, const std::vector<std::string>& lines)
{
    std::string text = "The boot configuration could not be backed up before this change:\n\n";
    for (const std::string& line : lines)
        text += line + "\n";
    text += "\nGo on without a backup?";
    return ::MessageBoxA(owner, text.c_str(), "Keystave",
                         MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
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
        ::MessageBoxA(owner, reason.c_str(), "Keystave", MB_ICONERROR | MB_OK);
    };
    feedback.failed = [owner](const std::string& arguments, const std::vector<std::string>& lines) {
        CCommandLogDlg log(arguments, lines, owner);
        log.DoModal();
    };
    return CWritePath(RunThrough(session), std::move(feedback));
}
