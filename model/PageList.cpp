#include "model/PageList.h"

#include "common/TextCompare.h"

const char* const kNoPageNumber = "No PFN specified";
const char* const kInvalidPageNumber = "Invalid PFN specified";
const char* const kDuplicatePageNumber = "Duplicate PFN specified.";

std::string PageNumberRefusal(const std::string& typed, const std::vector<std::string>& listed)
{
    if (typed.empty())
        return kNoPageNumber;
    // Digits only, and not zero: anything else would reach the tool as a
    // value it refuses only after the whole window was confirmed.
    bool nonZero = false;
    for (char c : typed) {
        if (c < '0' || c > '9')
            return kInvalidPageNumber;
        nonZero = nonZero || c != '0';
    }
    if (!nonZero)
        return kInvalidPageNumber;
    for (const std::string& entry : listed)
        if (EqualsNoCase(entry, typed))
            return kDuplicatePageNumber;
    return {};
}
