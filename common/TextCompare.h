#pragma once
#include <string>
#include <string_view>
#include <initializer_list>

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
inline bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}
std::string ToLowerAscii(std::string text);
std::string ToUpperAscii(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
std::string TrimBlanks(std::string_view text);
// The first text that is not empty (the first problem of several checks); empty if none.
std::string FirstNonEmpty(std::initializer_list<std::string> texts);
// "yes", "no", or empty for a word that is not a truth value as the tool
// takes them (yes/on/true/1, no/off/false/0, any case).
std::string TruthOf(const std::string& word);
