#pragma once
#include <string>
#include <vector>

// Cuts captured tool output into its non-empty CR LF terminated lines.
// Blank lines vanish, a lone CR stays inside its line and text after the
// last CR LF is dropped: every caller relies on exactly these rules.
std::vector<std::string> SplitToolOutput(const std::string& text);

// The same over a text whose lines may also end with a bare LF, as
// SplitToolOutput(NormalizeLineEnds(text)) reads it, without the copy.
std::vector<std::string> SplitOutputLines(const std::string& text);

// Saved output is often re-saved with bare LF; this puts the CR back so
// that SplitToolOutput sees what the tool printed.
std::string NormalizeLineEnds(const std::string& text);
