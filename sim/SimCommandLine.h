#pragma once
#include <string>
#include <vector>

// The argument string of a Windows command line: everything after the
// program's name (quoted or not) and the blanks that follow it, exactly as
// the caller wrote it.
std::string ArgumentString(const std::string& commandLine);

// The arguments of an argument string as the C runtime splits them: blanks
// separate, double quotes group (and are dropped), a backslash before a
// quote makes it literal.
std::vector<std::string> SplitArguments(const std::string& arguments);

// Appends one line to the command log at `path`; false when it cannot be
// written. Line breaks inside the text are kept off the log so that each
// command stays one line.
bool AppendCommandLog(const std::string& path, const std::string& arguments);
