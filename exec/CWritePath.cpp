#include "exec/CWritePath.h"

#include "exec/SplitToolOutput.h"
#include "exec/ToolWords.h"
#include "common/GuidText.h"

const char* const kNotSentWithoutBackup =
    "The store could not be backed up, and the change was not to go on without a backup.";

WritesOutcome ApplyWrites(const CWritePath& writer, const std::vector<ToolCommand>& commands)
{
    WritesOutcome outcome;
    for (const ToolCommand& command : commands) {
        WriteResult result = writer.Run(command);
        if (result.succeeded) {
            ++outcome.made;
            continue;
        }
        outcome.stopped = true;
        outcome.sent = result.sent;
        outcome.words = !command.ok ? std::vector<std::string>{command.reason}
                        : !result.sent ? std::vector<std::string>{kNotSentWithoutBackup}
                                       : result.lines;
        break;
    }
    return outcome;
}


WriteResult CWritePath::Run(const ToolCommand& command, AnswerKind kind) const
{
    WriteResult result;
    if (!command.ok) {
        if (m_feedback.refused)
            m_feedback.refused(command.reason);
        return result;
    }
    if (m_feedback.beforeRun && !m_feedback.beforeRun(command.arguments))
        return result;
    result.sent = true;
    ToolAnswer answer = m_run(command.arguments);
    result.lines = SplitToolOutput(answer.text);
    result.succeeded = AnswerSucceeded(answer);
    // The user ended a tool that did not finish: the change may be made or not.
    if (answer.endedAfterSeconds > 0)
        result.lines.push_back("BCDEDIT.EXE was " + EndedRunText(answer.endedAfterSeconds) +
                               ". The store is read again to show what it holds.");
    if (result.succeeded && kind == AnswerKind::Copy)
        result.copiedIdentifier = CopiedIdentifierInAnyLanguage(result.lines);
    if (result.succeeded && kind == AnswerKind::Create) {
        // Only a GUID names the entry: a reply with a placeholder names none.
        std::string created = CreatedIdentifierInAnyLanguage(result.lines);
        if (IsBracedGuidText(created))
            result.createdIdentifier = created;
    }
    if (result.succeeded && command.change.kind != ElementChange::None && m_feedback.confirmed)
        m_feedback.confirmed(command.change);
    if (!result.succeeded && m_feedback.failed)
        m_feedback.failed(command.arguments, result.lines);
    return result;
}
