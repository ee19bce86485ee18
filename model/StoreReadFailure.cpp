#include "model/StoreReadFailure.h"

#include "common/TextCompare.h"
#include "model/CStoreModel.h"

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
