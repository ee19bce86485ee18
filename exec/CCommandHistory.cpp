#include "exec/CCommandHistory.h"

#include "common/TextCompare.h"

const char* OutcomeText(CommandOutcome outcome)
{
    switch (outcome) {
    case CommandOutcome::Succeeded: return "succeeded";
    case CommandOutcome::Failed: return "failed";
    case CommandOutcome::Refused: return "refused before running";
    }
    return "";
}

bool IsChangingCommand(const std::string& arguments)
{
    std::string text = TrimBlanks(arguments);
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

std::string CCommandHistory::Script(const std::string& date) const
{
    std::string script = "@echo off\r\n"
                         "rem The changes Keystave made to the boot configuration on " + date + ".\r\n"
                         "rem Run as an administrator. Entries made by /copy get new identifiers\r\n"
                         "rem on another PC: check the identifiers before running it there.\r\n";
    for (const HistoryEntry& entry : m_entries) {
        if (entry.outcome != CommandOutcome::Succeeded || !IsChangingCommand(entry.arguments))
            continue;
        script += "bcdedit " + BatchLineText(entry.arguments) + "\r\n";
        script += "if errorlevel 1 exit /b 1\r\n";
    }
    return script;
}
