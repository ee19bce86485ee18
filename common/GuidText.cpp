#include "common/GuidText.h"

bool IsBracedGuidText(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return false;
    for (size_t i = 1; i < 37; ++i) {
        bool hyphen = i == 9 || i == 14 || i == 19 || i == 24;
        char c = text[i];
        bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (hyphen ? c != '-' : !hex)
            return false;
    }
    return true;
}
