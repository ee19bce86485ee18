#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Cuts captured tool output into its non-empty CR LF terminated lines.
// Blank lines vanish, a lone CR stays inside its line and text after the
// last CR LF is dropped: every caller relies on exactly these rules.
std::vector<std::string> SplitToolOutput(const std::string& text);

// Its first lines: up to and with the one after which `enough` says so.
std::vector<std::string> SplitToolOutputUntil(const std::string& text,
                                              const std::function<bool(const std::string& line)>& enough);

// The same over a text whose lines may also end with a bare LF, as
// SplitToolOutput(NormalizeLineEnds(text)) reads it, without the copy.
std::vector<std::string> SplitOutputLines(const std::string& text);

// The same lines as ranges of the text, which must outlive them: the
// readers of a whole listing take them so, without a copy of each line.
using OutputLines = std::vector<std::string_view>;
OutputLines SplitOutputLineViews(const std::string& text);
OutputLines SplitOutputLineViews(std::string&& text) = delete;

// Saved output is often re-saved with bare LF; this puts the CR back so
// that SplitToolOutput sees what the tool printed.
std::string NormalizeLineEnds(const std::string& text);
