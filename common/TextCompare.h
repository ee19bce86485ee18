#pragma once
#include <string>

// ASCII case folding: names, words and identifiers of the tool are ASCII,
// and the system code page must not change how they compare.
char FoldCase(char c);
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToLowerAscii(std::string text);
std::string ToUpperAscii(std::string text);
bool StartsWith(const std::string& text, const std::string& prefix);
std::string TrimBlanks(const std::string& text);
