#pragma once
#include <string>
#include <vector>

// Why a page frame number typed for the bad-memory list cannot be added to
// the `listed` ones, or empty when it can. A number stays text, as typed:
// leading zeros stay, and 012 and 12 are two entries.
std::string PageNumberRefusal(const std::string& typed, const std::vector<std::string>& listed);

extern const char* const kNoPageNumber;
extern const char* const kInvalidPageNumber;
extern const char* const kDuplicatePageNumber;
