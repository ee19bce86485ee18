#pragma once
#include <string>
#include <vector>

enum class CommandOutcome { Succeeded, Failed, Refused, Unknown };

// "succeeded", "failed", "refused before running", "outcome unknown"
const char* OutcomeText(CommandOutcome outcome);

struct HistoryEntry {
    std::string time;       // "10:15:00"
    std::string arguments;  // empty for a command that could not be built
    CommandOutcome outcome = CommandOutcome::Failed;
    std::vector<std::string> words;  // the tool's lines, or why nothing ran
};

// A command's words as the history window shows them: in one line, runs of
// blanks as one, underlines left out, cut after 160 characters with "...".
std::string WordsInOneLine(const std::vector<std::string>& lines);
// The lines of a tool's answer that WordsInOneLine shows: a listing of
// thousands of lines is kept as its first few.
std::vector<std::string> ShownToolWords(const std::string& toolText);

// Whether a command changes the store, judged by its first word: reads,
// listings and exports do not.
bool IsChangingCommand(const std::string& arguments);

struct ScriptDialect;

// Every command of this session, in the order they ran.
class CCommandHistory {
public:
    void Add(HistoryEntry entry) { m_entries.push_back(std::move(entry)); }
    const std::vector<HistoryEntry>& Entries() const { return m_entries; }

    // A batch script of "bcdedit" lines that would make this session's
    // changes again: the changing commands that succeeded, in order, each
    // stopping the script when the tool refuses it.
    std::string Script(const std::string& date) const;
    // The same changes as a PowerShell script, for the management tools
    // that run those: each line's exit code checked through $LASTEXITCODE.
    std::string PowerShellScript(const std::string& date) const;

private:
    std::string ReplayScript(const ScriptDialect& dialect, const std::string& date) const;

    std::vector<HistoryEntry> m_entries;
};

// An argument string as a batch file line must hold it: percent signs
// doubled, and outside quotes the characters cmd.exe would act on escaped.
std::string BatchLineText(const std::string& arguments);

// An argument string as PowerShell must hold it: each argument on its own,
// in single quotes unless it is plain (braces would be a script block, $ a
// variable), a single quote doubled; the double quotes of a value dropped,
// since PowerShell quotes an argument with blanks itself.
std::string PowerShellLineText(const std::string& arguments);
