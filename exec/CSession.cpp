#include "exec/CSession.h"

#include <algorithm>

#include "common/GuidText.h"
#include "common/TextCompare.h"
#include "exec/CWritePath.h"
#include "exec/SplitToolOutput.h"

std::vector<std::pair<std::string, PendingAnswer>>::iterator CSession::Ahead(const std::string& arguments)
{
    return std::find_if(m_ahead.begin(), m_ahead.end(),
                        [&](const auto& entry) { return entry.first == arguments; });
}

void CSession::StartReadsAhead(const std::vector<std::string>& arguments)
{
    // A read already started ahead is not started twice.
    std::vector<std::string> fresh;
    for (const std::string& command : arguments)
        if (Ahead(command) == m_ahead.end())
            fresh.push_back(command);
    std::vector<PendingAnswer> answers;
    if (m_startReads)
        answers = m_startReads(fresh);
    else
        for (const std::string& command : fresh)
            answers.push_back([run = m_run, command] { return run(command); });
    for (size_t i = 0; i < fresh.size() && i < answers.size(); ++i)
        m_ahead.emplace_back(fresh[i], std::move(answers[i]));
}

void CSession::DropReadsAhead(const std::vector<std::string>& arguments)
{
    m_ahead.erase(std::remove_if(m_ahead.begin(), m_ahead.end(),
                                 [&](const auto& entry) {
                                     return std::find(arguments.begin(), arguments.end(), entry.first) !=
                                            arguments.end();
                                 }),
                  m_ahead.end());
}

ToolAnswer CSession::Run(const std::string& arguments)
{
    auto ahead = Ahead(arguments);
    ToolAnswer answer;
    if (ahead != m_ahead.end()) {
        PendingAnswer pending = std::move(ahead->second);
        m_ahead.erase(ahead);
        answer = pending();
    } else {
        answer = m_run(arguments);
    }
    HistoryEntry entry;
    entry.time = TimeText(m_clock());
    entry.arguments = arguments;
    entry.outcome = AnswerSucceeded(answer) ? CommandOutcome::Succeeded : CommandOutcome::Failed;
    // The history keeps what its window shows, not a listing's every line.
    entry.words = ShownToolWords(answer.text);
    if (answer.endedAfterSeconds > 0) {
        entry.outcome = CommandOutcome::Unknown;
        entry.words.push_back(EndedRunText(answer.endedAfterSeconds));
    }
    m_history.Add(std::move(entry));
    return answer;
}

void CSession::RecordRefusal(const std::string& arguments, const std::string& reason)
{
    HistoryEntry entry;
    entry.time = TimeText(m_clock());
    entry.arguments = arguments;
    entry.outcome = CommandOutcome::Refused;
    entry.words = {reason};
    m_history.Add(std::move(entry));
}

std::string CSession::FirstBackup() const
{
    auto found = m_firstBackups.find(StoreFileInUse());
    return found == m_firstBackups.end() ? std::string() : found->second;
}

BackupResult CSession::BackUp()
{
    BackupResult result;
    std::string why = "No folder for backups was set.";
    const std::string store = StoreFileInUse();
    if (!store.empty()) {
        // No tool runs: the file is copied as it is.
        why = "No way to copy a store file was set.";
        if (m_place.copyStore)
            result.path = m_place.copyStore(store, m_clock(), why);
        result.made = !result.path.empty();
        result.lines = {result.made ? "Copied to " + result.path : why};
        if (result.made)
            m_firstBackups.emplace(store, result.path);
        return result;
    }
    if (m_place.newPath)
        result.path = m_place.newPath(m_clock(), why);
    if (result.path.empty()) {
        result.lines = {why};
        return result;
    }
    ToolCommand command = ExportStoreCommand(result.path);
    if (!command.ok) {
        RecordRefusal({}, command.reason);
        result.lines = {command.reason};
        return result;
    }
    ToolAnswer answer = Run(command.arguments);
    result.lines = SplitToolOutput(answer.text);
    result.made = AnswerSucceeded(answer);
    if (!result.made)
        return result;
    m_firstBackups.emplace(store, result.path);
    if (m_place.prune)
        m_place.prune();
    return result;
}

bool CSession::ReadyToChange(const std::string& arguments,
                             const std::function<bool(const std::vector<std::string>&)>& goOnWithout)
{
    const std::string store = StoreFileInUse();
    if (!IsChangingCommand(arguments) || m_firstBackups.count(store) > 0 || m_wentOnWithoutBackup.count(store) > 0)
        return true;
    BackupResult backup = BackUp();
    if (backup.made)
        return true;
    if (goOnWithout && goOnWithout(backup.lines)) {
        m_wentOnWithoutBackup.insert(store);
        return true;
    }
    RecordRefusal(arguments, "Not sent: the store could not be backed up, and the change was not "
                             "to go on without a backup.");
    return false;
}

namespace {
bool SameElement(const ElementChange& a, const ElementChange& b)
{
    return EqualsNoCase(a.identifier, b.identifier) && EqualsNoCase(a.element, b.element);
}
}  // namespace

void CSession::NoteChange(const ElementChange& change)
{
    // Only the last change of an element says what the store should show.
    auto earlier = [&](const ElementChange& noted) {
        if (change.kind == ElementChange::EntryDeleted)
            return EqualsNoCase(noted.identifier, change.identifier);
        return SameElement(noted, change);
    };
    m_changes.erase(std::remove_if(m_changes.begin(), m_changes.end(), earlier), m_changes.end());
    // Removals stay too: an earlier change noted under another name of the
    // same entry ({current} and its GUID) is settled by them at the check.
    m_changes.push_back(change);
}

std::vector<ElementChange> CSession::TakeChanges()
{
    std::vector<ElementChange> changes;
    changes.swap(m_changes);
    return changes;
}

const std::string& CSession::RunningEntry()
{
    // A store file has no running Windows: nothing is asked, nor noted as asked.
    static const std::string none;
    ToolCommand command = EnumCurrentCommand();
    if (!command.ok)
        return none;
    if (!m_runningAsked) {
        m_runningAsked = true;
        ToolAnswer answer = Run(command.arguments);
        if (AnswerSucceeded(answer))
            m_running = RunningEntryFromOutput(SplitToolOutput(answer.text));
    }
    return m_running;
}

const std::string& CSession::KnownRunningEntry() const
{
    static const std::string none;
    return StoreFileInUse().empty() ? m_running : none;
}

AnsweredToolRun RunThrough(CSession& session)
{
    return [&session](const std::string& arguments) { return session.Run(arguments); };
}

namespace {

// A value that is a GUID, in lower case; empty for any other.
std::string GuidOf(std::string_view value)
{
    std::string text = TrimBlanks(value);
    return IsBracedGuidText(text) ? ToLowerAscii(text) : std::string();
}

}  // namespace

std::string RunningEntryFromOutput(const std::vector<std::string>& lines)
{
    // A section's first line, under its heading's underline, is its
    // identifier, whatever the display language calls it ("Bezeichner",
    // "identificateur", ...).
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        std::string underline = TrimBlanks(lines[i]);
        if (underline.empty() || underline.find_first_not_of('-') != std::string::npos)
            continue;
        std::string text = TrimBlanks(lines[i + 1]);
        size_t blank = text.find(' ');
        return blank == std::string::npos ? std::string() : GuidOf(std::string_view(text).substr(blank));
    }
    // Lines without a heading: the English label.
    for (const std::string& line : lines) {
        std::string text = TrimBlanks(line);
        if (StartsWith(ToLowerAscii(text), "identifier"))
            return GuidOf(std::string_view(text).substr(10));
    }
    return {};
}
