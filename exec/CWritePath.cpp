#include "exec/CWritePath.h"

#include "exec/SplitToolOutput.h"

bool AnswerSucceeded(const std::vector<std::string>& lines, AnswerKind kind)
{
    return kind == AnswerKind::Copy ? ContainsCopySentence(lines) : ContainsSuccessLine(lines);
}

WriteResult CWritePath::Run(const ToolCommand& command, AnswerKind kind) const
{
    WriteResult result;
    if (!command.ok) {
        if (m_feedback.refused)
            m_feedback.refused(command.reason);
        return result;
    }
    result.sent = true;
    result.lines = SplitToolOutput(m_run(command.arguments));
    result.succeeded = AnswerSucceeded(result.lines, kind);
    if (result.succeeded && kind == AnswerKind::Copy)
        result.copiedIdentifier = CopiedIdentifier(result.lines);
    if (!result.succeeded && m_feedback.failed)
        m_feedback.failed(command.arguments, result.lines);
    return result;
}
