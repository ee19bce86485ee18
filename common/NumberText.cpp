#include "common/NumberText.h"

#include "common/TextCompare.h"

const char* const kUnsignedNumberMessage = "Please enter a positive integer.";

bool ParseUnsignedNumber(const std::string& text, uint32_t& value)
{
    std::string digits = TrimBlanks(text);
    if (digits.empty())
        return false;
    uint64_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
        if (number > UINT32_MAX)
            return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}
