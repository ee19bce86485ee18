#include "dialogs/WindowWritePath.h"

#include "dialogs/CCommandLogDlg.h"
#include "winexec/ProgramSession.h"
#include "winexec/ToolRunner.h"

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

WriteFeedback HistoryFeedback(HWND owner)
{
    WriteFeedback feedback;
    feedback.refused = [](const std::string& reason) { ProgramSession().RecordRefusal({}, reason); };
    feedback.beforeRun = [owner](const std::string& arguments) {
        return ProgramSession().ReadyToChange(arguments, [owner](const std::vector<std::string>& lines) {
            return AskToGoOnWithoutBackup(owner, lines);
        });
    };
    feedback.confirmed = [](const ElementChange& change) { ProgramSession().NoteChange(change); };
    return feedback;
}

}  // namespace

CWritePath QuietWindowWritePath(HWND owner)
{
    return CWritePath(BcdeditAnsweredRun(), HistoryFeedback(owner));
}

CWritePath WindowWritePath(HWND owner)
{
    WriteFeedback feedback = HistoryFeedback(owner);
    feedback.refused = [owner](const std::string& reason) {
        ProgramSession().RecordRefusal({}, reason);
        ::MessageBoxA(owner, reason.c_str(), "Keystave", MB_ICONERROR | MB_OK);
    };
    feedback.failed = [owner](const std::string& arguments, const std::vector<std::string>& lines) {
        CCommandLogDlg log(arguments, lines, owner);
        log.DoModal();
    };
    return CWritePath(BcdeditAnsweredRun(), std::move(feedback));
}
