#pragma once
#include <string>
#include <string_view>

// ASCII case folding: names, words and identifiers of the tool are ASCII,
// and the system code page must not change how they compare.
inline char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string text);
std::string ToUpperAscii(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
std::string TrimBlanks(const std::string& text);
