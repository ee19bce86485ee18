#pragma once
#include <string>
#include <string_view>

// ASCII case folding: names, words and identifiers of the tool are ASCII,
// and the system code page must not change how they compare.
inline char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}
std::string ToLowerAscii(std::string text);
std::string ToUpperAscii(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
std::string TrimBlanks(std::string_view text);
// "yes", "no", or empty for a word that is not a truth value as the tool
// takes them (yes/on/true/1, no/off/false/0, any case).
std::string TruthOf(const std::string& word);
