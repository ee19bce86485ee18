#include "sim/SimTranslation.h"

#include <vector>

#include "common/TextCompare.h"
#include "common/ToolTexts.h"

namespace {

const ToolLanguage& English() { return *FindToolLanguage("en-US"); }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

size_t Characters(const std::string& utf8)
{
    size_t count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xc0) != 0x80;
    return count;
}

// A tool error's lines, the last of which may be the command-line hint.
std::vector<std::string> ErrorLines(const ToolLanguage& language, ToolError error)
{
    const char* text = language.errors[error];
    return text ? Lines(std::string(text) + "\r\n") : std::vector<std::string>();
}

const std::string kHint = "Run \"bcdedit /?\" for command line assistance.";

// The hint line in the tool's language: the last line of an error that ends with it.
std::string LocalizedHint(const ToolLanguage& tool)
{
    std::vector<std::string> lines = ErrorLines(tool, kErrorSetCommandInvalid);
    return lines.size() > 1 ? lines.back() : kHint;
}

// A heading that carries the object's type in hexadecimal ("Firmware
// Application (101fffff)"), translated with the same digits; empty if the
// line is not that heading.
std::string NumberedHeading(const std::string& line, const std::string& english, const std::string& tool)
{
    const std::string digits = "%08x";
    size_t at = english.find(digits);
    size_t toolAt = tool.find(digits);
    if (at == std::string::npos || toolAt == std::string::npos || line.size() != english.size() + 4 ||
        line.compare(0, at, english, 0, at) != 0 ||
        line.compare(at + 8, std::string::npos, english, at + digits.size(), std::string::npos) != 0)
        return {};
    return tool.substr(0, toolAt) + line.substr(at, 8) + tool.substr(toolAt + digits.size());
}

// The identifier an English sentence with "%s" names in `line`; empty
// when the line is not that sentence.
std::string SentenceIdentifier(const std::string& line, const std::string& sentence)
{
    size_t at = sentence.find("%s");
    std::string before = sentence.substr(0, at), after = sentence.substr(at + 2);
    if (line.size() <= before.size() + after.size() || !StartsWith(line, before) ||
        line.compare(line.size() - after.size(), after.size(), after) != 0)
        return {};
    return line.substr(before.size(), line.size() - before.size() - after.size());
}

// English line -> translated lines.
bool TranslateLine(const std::string& line, const ToolLanguage& tool, const ToolLanguage& pack,
                   std::vector<std::string>& out)
{
    const ToolLanguage& english = English();
    for (int h = 0; h <= kHeadingUnknownEntryType; ++h) {
        if (!english.headings[h] || !tool.headings[h])
            continue;
        std::string heading = NumberedHeading(line, english.headings[h], tool.headings[h]);
        if (heading.empty() && line == english.headings[h])
            heading = tool.headings[h];
        if (!heading.empty()) {
            out.push_back(heading);
            out.push_back(std::string(Characters(heading), '-'));
            return true;
        }
    }
    if (StartsWith(line, "identifier ") && tool.identifierLabel) {
        std::string label = tool.identifierLabel;
        size_t width = Characters(label);
        out.push_back(label + std::string(width < 24 ? 24 - width : 1, ' ') + TrimBlanks(line.substr(10)));
        return true;
    }
    if (line == english.success) {
        out.push_back(pack.success);
        return true;
    }
    for (auto [englishSentence, toolSentence] : {std::pair{english.copied, tool.copied},
                                                 std::pair{english.created, tool.created}}) {
        std::string identifier = SentenceIdentifier(line, englishSentence);
        if (identifier.empty() || !toolSentence)
            continue;
        std::string sentence = toolSentence;
        out.push_back(sentence.replace(sentence.find("%s"), 2, identifier));
        return true;
    }
    for (int s = 0; s <= kSystemVolumeExternallyAltered; ++s)
        if (english.system[s] && pack.system[s] && line == english.system[s]) {
            out.push_back(pack.system[s]);
            return true;
        }
    for (int e = 0; e <= kErrorDebug1394Unsupported; ++e) {
        std::vector<std::string> englishLines = ErrorLines(english, static_cast<ToolError>(e));
        std::vector<std::string> toolLines = ErrorLines(tool, static_cast<ToolError>(e));
        if (englishLines.empty() || toolLines.empty())
            continue;
        // The simulator prints the sentence on one line; the table may wrap it.
        std::string sentence;
        for (const std::string& part : englishLines)
            if (part != kHint)
                sentence += (sentence.empty() ? "" : " ") + TrimBlanks(part);
        if (line != sentence)
            continue;
        // The hint comes on a line of its own, translated below.
        for (const std::string& part : toolLines)
            if (part != LocalizedHint(tool))
                out.push_back(part);
        return true;
    }
    if (line == kHint) {
        out.push_back(LocalizedHint(tool));
        return true;
    }
    return false;
}

}  // namespace

std::string TranslateSimOutput(const std::string& english, const ToolLanguage& language)
{
    const ToolLanguage& tool = ToolTextsOf(language);
    std::vector<std::string> lines = Lines(english);
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> translated;
        if (!TranslateLine(lines[i], tool, language, translated)) {
            out += lines[i] + "\r\n";
            continue;
        }
        for (const std::string& line : translated)
            out += line + "\r\n";
        // A heading brings its own underline.
        if (translated.size() == 2 && i + 1 < lines.size() &&
            lines[i + 1].find_first_not_of('-') == std::string::npos && !lines[i + 1].empty())
            ++i;
    }
    // Text after the last line end stays as it was.
    size_t tail = english.rfind("\r\n");
    out += english.substr(tail == std::string::npos ? 0 : tail + 2);
    return out;
}
