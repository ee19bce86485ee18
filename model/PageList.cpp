#include "model/PageList.h"

#include "common/TextCompare.h"

const char* const kNoPageNumber = "No PFN specified";
const char* const kInvalidPageNumber = "Invalid PFN specified";
const char* const kDuplicatePageNumber = "Duplicate PFN specified.";

namespace {

// A non-zero page number in decimal or 0x-hex that fits 64 bits.
bool PageNumber(const std::string& text, unsigned long long& value)
{
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    size_t start = hex ? 2 : 0;
    if (text.size() == start)
        return false;
    value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        unsigned base = hex ? 16 : 10;
        if (value > (~0ULL - digit) / base)
            return false;
        value = value * base + digit;
    }
    return value != 0;
}

std::string HexText(unsigned long long value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value);
    return "0x" + text;
}

}  // namespace

std::string PageNumberShown(const std::string& value)
{
    unsigned long long number = 0;
    return PageNumber(value, number) ? HexText(number) : value;
}

std::string PageNumberRefusal(const std::string& typed, const std::vector<std::string>& listed)
{
    if (typed.empty())
        return kNoPageNumber;
    // Anything else would reach the tool as a value it refuses only after
    // the whole window was confirmed.
    unsigned long long number = 0;
    if (!PageNumber(typed, number))
        return kInvalidPageNumber;
    unsigned long long other = 0;
    for (const std::string& entry : listed)
        if (PageNumber(entry, other) ? other == number : EqualsNoCase(entry, typed))
            return kDuplicatePageNumber;
    return {};
}
