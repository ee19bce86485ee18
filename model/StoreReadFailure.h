#pragma once
#include <string>
#include <vector>

// Why "/ENUM /V" gave no boot manager, for the user: the tool's own words
// (lines joined with line breaks), or that the tool could not be started
// when it printed nothing.
std::string StoreReadFailure(const std::string& enumOutput);
// The same for a run whose outcome is known: a tool that did not start, an
// empty answer and text without line ends each get their own words.
struct ToolAnswer;
std::string StoreReadFailure(const std::string& enumOutput, const ToolAnswer& outcome);

// What the status line says of a listing that was read but did not end
// with success: the tool's exit code and its own words, if any.
std::string IncompleteListingNotice(unsigned long exitCode, const std::vector<std::string>& words);

extern const char* const kToolNotStarted;
