#include "exec/CWritePath.h"

#include "exec/SplitToolOutput.h"
#include "exec/ToolWords.h"

bool AnswerSucceeded(const ToolAnswer& answer) { return answer.started && answer.exitCode == 0; }

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
    if (result.succeeded && kind == AnswerKind::Copy)
        result.copiedIdentifier = CopiedIdentifierInAnyLanguage(result.lines);
    if (result.succeeded && command.change.kind != ElementChange::None && m_feedback.confirmed)
        m_feedback.confirmed(command.change);
    if (!result.succeeded && m_feedback.failed)
        m_feedback.failed(command.arguments, result.lines);
    return result;
}
