#pragma once
#include <string>

// Why "/ENUM /V" gave no boot manager, for the user: the tool's own words
// (lines joined with line breaks), or that the tool could not be started
// when it printed nothing.
std::string StoreReadFailure(const std::string& enumOutput);

extern const char* const kToolNotStarted;
