#pragma once
#include <string>
#include <vector>

// The tool's words that the program recognises, in every display language
// it knows: the three headings it reads, the success line, the copy sentence.
// Compared as the English ones are: whole lines, case-sensitively.
bool IsManagerHeading(const std::string& line);
bool IsWindowsLoaderHeading(const std::string& line);
bool IsLegacyLoaderHeading(const std::string& line);
// Any other heading the tool prints (resume, settings objects, ...).
bool IsOtherKnownHeading(const std::string& line);
// A line that begins with the success line of any language.
bool StartsWithAnySuccessLine(const std::string& line);
// The identifier the copy sentence of any language names; empty if none.
std::string CopiedIdentifierInAnyLanguage(const std::vector<std::string>& lines);
