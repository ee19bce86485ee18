#pragma once
#include <string>
#include <string_view>
#include <vector>

// The tool's words that the program recognises, in every display language
// it knows: the headings, the success line, the copy and create sentences.
// Compared as the English ones are: whole lines, case-sensitively.
// Either of the two loader headings (asked of every line of a listing).
bool IsLoaderHeading(std::string_view line);
// Which heading of the table (a ToolHeading) the line is, in any language;
// -1 for none.
int ToolHeadingOf(std::string_view line);
// A line that begins with the success line of any language.
bool StartsWithAnySuccessLine(std::string_view line);
// The identifier the copy sentence of any language names; empty if none.
std::string CopiedIdentifierInAnyLanguage(const std::vector<std::string>& lines);
// The same for the create sentence: the new entry's identifier.
std::string CreatedIdentifierInAnyLanguage(const std::vector<std::string>& lines);

// What to do about a command the tool refused, for the causes the program
// knows, found by the system's words in any language of the table (Secure
// Boot guarding the element, no administrator rights); empty for others.
std::string RefusalAdvice(const std::vector<std::string>& lines);

extern const char* const kSecureBootAdvice;
extern const char* const kAccessDeniedAdvice;
