#pragma once
#include <functional>
#include <string>
#include <vector>

#include "exec/ToolCommand.h"
#include "exec/ToolRun.h"

// What the caller wants from the tool's answer besides success.
enum class AnswerKind {
    Operation,  // "/set", "/deletevalue", "/DELETE", "/DBGSETTINGS ..."
    Copy,       // "/Copy": also the new entry, from the copy sentence
    Create,     // "/create": also the new entry, from the create sentence
};

struct WriteResult {
    bool sent = false;       // the command reached the tool
    bool succeeded = false;  // and the tool confirmed it
    std::vector<std::string> lines;
    std::string copiedIdentifier;  // a confirmed copy: the new entry
    std::string createdIdentifier; // a confirmed creation: the new entry, a braced GUID
};

// What the calling window shows: a command that was not built (nothing ran),
// and a command the tool did not confirm (the command output window).
struct WriteFeedback {
    std::function<void(const std::string& reason)> refused;
    std::function<void(const std::string& arguments, const std::vector<std::string>& lines)> failed;
    // Asked before a built command runs; false: it is not sent (a change
    // the user stopped because no backup could be made).
    std::function<bool(const std::string& arguments)> beforeRun;
    // A change the tool confirmed, for the check against the store.
    std::function<void(const ElementChange& change)> confirmed;
};

// Every change to the store goes this way: the command as built (a refusal
// runs nothing), the tool's run, its answer cut into lines and judged, and
// a failure shown before the caller hears of it.
class CWritePath {
public:
    CWritePath(AnsweredToolRun run, WriteFeedback feedback)
        : m_run(std::move(run)), m_feedback(std::move(feedback))
    {
    }

    WriteResult Run(const ToolCommand& command, AnswerKind kind = AnswerKind::Operation) const;

private:
    AnsweredToolRun m_run;
    WriteFeedback m_feedback;
};

// A plan's commands run in order through one write path, stopping at the
// first that was not made: what a window's OK does with its plan.
struct WritesOutcome {
    size_t made = 0;       // commands the tool confirmed, from the first
    bool stopped = false;  // commands[made] was not made
    bool sent = false;     // ... though it reached the tool
    std::vector<std::string> words;  // the tool's lines, or why it was not sent
};
WritesOutcome ApplyWrites(const CWritePath& writer, const std::vector<ToolCommand>& commands);

extern const char* const kNotSentWithoutBackup;
