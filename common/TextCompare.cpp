#include "common/TextCompare.h"

std::string ToLowerAscii(std::string text)
{
    for (char& c : text)
        c = FoldCase(c);
    return text;
}

std::string ToUpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string TrimBlanks(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string TruthOf(const std::string& word)
{
    std::string lower = ToLowerAscii(TrimBlanks(word));
    if (lower == "yes" || lower == "on" || lower == "true" || lower == "1")
        return "yes";
    if (lower == "no" || lower == "off" || lower == "false" || lower == "0")
        return "no";
    return {};
}

std::string FirstNonEmpty(std::initializer_list<std::string> texts)
{
    for (const std::string& text : texts)
        if (!text.empty())
            return text;
    return {};
}
