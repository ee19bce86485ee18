#pragma once
#include <string>
#include <vector>

// Why a page frame number typed for the bad-memory list cannot be added to
// the `listed` ones, or empty when it can. Decimal and hex ("0x2b42") are
// both taken; a page already listed in either notation is refused.
std::string PageNumberRefusal(const std::string& typed, const std::vector<std::string>& listed);

// A page number in the store's notation, hex ("11074" and "0X2B42" both
// become "0x2b42"); text that is no page number stays as it is.
std::string PageNumberShown(const std::string& value);

extern const char* const kNoPageNumber;
extern const char* const kInvalidPageNumber;
extern const char* const kDuplicatePageNumber;
