#include "exec/CCommandHistory.h"

#include "common/TextCompare.h"
#include "exec/SplitToolOutput.h"
#include "exec/ToolCommand.h"

const char* OutcomeText(CommandOutcome outcome)
{
    switch (outcome) {
    case CommandOutcome::Succeeded: return "succeeded";
    case CommandOutcome::Failed: return "failed";
    case CommandOutcome::Refused: return "refused before running";
    case CommandOutcome::Unknown: return "outcome unknown";
    }
    return "";
}

bool IsChangingCommand(const std::string& arguments)
{
    std::string text = TrimBlanks(WithoutStorePart(arguments));
    size_t blank = text.find(' ');
    std::string first = ToLowerAscii(text.substr(0, blank));
    // "/dbgsettings" alone shows the settings; with a connection it sets them.
    if (first == "/dbgsettings")
        return blank != std::string::npos;
    static const char* const changing[] = {
        "/set",        "/deletevalue", "/delete",  "/copy",    "/create",  "/createstore",
        "/import",     "/displayorder", "/default", "/timeout", "/bootsequence",
        "/toolsdisplayorder", "/bootdebug", "/debug", "/ems", "/bootems", "/emssettings",
        "/hypervisorsettings", "/eventsettings", "/sync", "/mirror", "/clean", "/store",
    };
    for (const char* word : changing)
        if (first == word)
            return true;
    return false;
}

std::string BatchLineText(const std::string& arguments)
{
    std::string line;
    bool quoted = false;
    for (char c : arguments) {
        if (c == '"')
            quoted = !quoted;
        if (c == '%')
            line += '%';
        else if (!quoted && std::string("^&|<>()").find(c) != std::string::npos)
            line += '^';
        line += c;
    }
    return line;
}

namespace {

const size_t kMostShown = 160;

// Adds a line as the history window shows it, unless it leaves the line out.
void AppendShown(std::string& words, const std::string& line)
{
    if (line.empty() || line.find_first_not_of('-') == std::string::npos)
        return;
    if (!words.empty())
        words += ' ';
    // Listings pad names to a column: one blank says as much here.
    for (char c : line)
        if (c != ' ' || (!words.empty() && words.back() != ' '))
            words += c;
}

// The arguments of a command line as the C runtime splits it: blanks
// outside double quotes separate, the quotes themselves go.
std::vector<std::string> SplitArgumentString(const std::string& arguments)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

bool IsPlainWord(const std::string& word)
{
    if (word.empty())
        return false;
    for (char c : word) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     std::string("/\\:._=-").find(c) != std::string::npos;
        if (!plain)
            return false;
    }
    return true;
}

bool NamesRunningEntry(const std::string& arguments)
{
    return ToLowerAscii(arguments).find("{current}") != std::string::npos;
}

bool Replayable(const HistoryEntry& entry)
{
    return entry.outcome == CommandOutcome::Succeeded && IsChangingCommand(entry.arguments);
}

}  // namespace

std::string PowerShellLineText(const std::string& arguments)
{
    std::string line;
    for (const std::string& word : SplitArgumentString(arguments)) {
        if (!line.empty())
            line += ' ';
        if (IsPlainWord(word)) {
            line += word;
            continue;
        }
        line += '\'';
        for (char c : word)
            line += c == '\'' ? std::string("''") : std::string(1, c);
        line += '\'';
    }
    return line;
}

// How a script language writes what both scripts say.
struct ScriptDialect {
    const char* start;    // before the comment lines
    const char* comment;  // a comment line's start
    const char* runAs;    // where to run the script
    const char* tool;     // the command before the arguments
    std::string (*lineText)(const std::string& arguments);
    const char* stopOnFailure;
};

std::string CCommandHistory::ReplayScript(const ScriptDialect& dialect, const std::string& date) const
{
    std::string comment = dialect.comment;
    std::string script = std::string(dialect.start) +
                         comment + "The changes Keystave made to the boot configuration on " + date + ".\r\n" +
                         comment + dialect.runAs + " Entries made by /copy get new identifiers\r\n" +
                         comment + "on another PC: check the identifiers before running it there.\r\n";
    for (const HistoryEntry& entry : m_entries) {
        if (!Replayable(entry))
            continue;
        if (NamesRunningEntry(entry.arguments))
            script += comment + "{current} is the Windows running at the time: on another PC, that PC's.\r\n";
        script += std::string(dialect.tool) + dialect.lineText(entry.arguments) + "\r\n";
        script += std::string(dialect.stopOnFailure) + "\r\n";
    }
    return script;
}

std::string CCommandHistory::PowerShellScript(const std::string& date) const
{
    static const ScriptDialect powerShell{"", "# ", "Run in an elevated PowerShell.", "bcdedit.exe ",
                                          PowerShellLineText,
                                          "if ($LASTEXITCODE -ne 0) { exit 1 }"};
    return ReplayScript(powerShell, date);
}

std::string CCommandHistory::Script(const std::string& date) const
{
    static const ScriptDialect batch{"@echo off\r\n", "rem ", "Run as an administrator.", "bcdedit ",
                                     BatchLineText, "if errorlevel 1 exit /b 1"};
    return ReplayScript(batch, date);
}

std::string WordsInOneLine(const std::vector<std::string>& lines)
{
    std::string words;
    for (const std::string& line : lines) {
        AppendShown(words, line);
        if (words.size() > kMostShown)
            return words.substr(0, kMostShown) + "...";
    }
    return words;
}

std::vector<std::string> ShownToolWords(const std::string& toolText)
{
    std::string words;
    return SplitToolOutputUntil(toolText, [&words](const std::string& line) {
        AppendShown(words, line);
        return words.size() > kMostShown;
    });
}
