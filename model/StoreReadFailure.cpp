#include "model/StoreReadFailure.h"

#include "common/TextCompare.h"
#include "model/CStoreModel.h"
#include "exec/ToolRun.h"

const char* const kToolNotStarted = "BCDEDIT.EXE could not be started.";

std::string StoreReadFailure(const std::string& enumOutput)
{
    std::string words;
    for (const std::string& line : SplitOutputLines(enumOutput)) {
        std::string trimmed = TrimBlanks(line);
        if (trimmed.empty())
            continue;
        words += (words.empty() ? "" : "\n") + trimmed;
    }
    if (words.empty())
        return kToolNotStarted;
    return "The boot configuration could not be read. BCDEDIT.EXE said:\n\n" + words;
}

std::string StoreReadFailure(const std::string& enumOutput, const ToolAnswer& outcome)
{
    if (!outcome.started)
        return kToolNotStarted;
    std::string code = std::to_string(outcome.exitCode);
    std::string trimmed = TrimBlanks(enumOutput);
    if (enumOutput.find_first_not_of(" \t\r\n") == std::string::npos)
        return "BCDEDIT.EXE ended without printing anything (exit code " + code + ").";
    if (enumOutput.find('\n') == std::string::npos) {
        const size_t shown = 300;
        return "BCDEDIT.EXE printed text without line ends (exit code " + code + "):\n\n" +
               trimmed.substr(0, shown) + (trimmed.size() > shown ? "..." : "");
    }
    return StoreReadFailure(enumOutput);
}

std::string IncompleteListingNotice(unsigned long exitCode, const std::vector<std::string>& words)
{
    // Short: it is the status line's, the tool's words at its end.
    std::string code = std::to_string(exitCode);
    if (words.empty())
        return "The listing may be incomplete: BCDEDIT.EXE ended with exit code " + code + ".";
    std::string text = "The listing may be incomplete (exit code " + code + "):";
    for (const std::string& word : words)
        text += " " + word;
    return text;
}
