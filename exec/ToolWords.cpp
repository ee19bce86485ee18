#include "exec/ToolWords.h"

#include <algorithm>
#include <bitset>

#include "common/TextEncoding.h"
#include "common/ToolTexts.h"

namespace {

// A text as it reaches the program: in its code page, and with the curly
// apostrophe (French) also as the code pages without it print it.
void AddVariants(std::vector<std::string>& texts, const char* utf8)
{
    if (!utf8)
        return;
    std::string text = utf8;
    texts.push_back(FromUtf8(text));
    const std::string apostrophe = "\xe2\x80\x99";
    size_t at = text.find(apostrophe);
    if (at == std::string::npos)
        return;
    for (const char* replacement : {"'", "?"}) {
        std::string plain = text;
        for (size_t p; (p = plain.find(apostrophe)) != std::string::npos;)
            plain.replace(p, apostrophe.size(), replacement);
        texts.push_back(FromUtf8(plain));
    }
}

// One heading in every language, with the lengths and first bytes they
// have: most lines of a listing are elements, and these alone tell them
// apart.
struct HeadingTexts {
    std::vector<std::string> texts;
    std::bitset<256> lengths;
    std::bitset<256> firstBytes;
    bool longer = false;  // a text of 256 bytes or more
    // Headings that carry the object's type in hexadecimal ("Firmware
    // Application (101fffff)"): the words before and after its 8 digits.
    std::vector<std::pair<std::string, std::string>> numbered;
};

constexpr std::string_view kTypeDigits = "%08x";

const HeadingTexts& Headings(ToolHeading heading)
{
    static HeadingTexts cache[kHeadingUnknownEntryType + 1];
    HeadingTexts& headings = cache[heading];
    if (headings.texts.empty()) {
        std::vector<std::string> texts;
        for (size_t i = 0; i < kToolLanguageCount; ++i)
            AddVariants(texts, kToolLanguages[i].headings[heading]);
        for (std::string& text : texts) {
            size_t digits = text.find(kTypeDigits);
            if (digits == std::string::npos)
                headings.texts.push_back(std::move(text));
            else
                headings.numbered.emplace_back(text.substr(0, digits), text.substr(digits + kTypeDigits.size()));
        }
        for (const std::string& text : headings.texts) {
            if (!text.empty())
                headings.firstBytes.set(static_cast<unsigned char>(text[0]));
            if (text.size() < headings.lengths.size())
                headings.lengths.set(text.size());
            else
                headings.longer = true;
        }
    }
    return headings;
}

const std::vector<std::string>& SuccessLines()
{
    static std::vector<std::string> texts;
    if (texts.empty())
        for (size_t i = 0; i < kToolLanguageCount; ++i)
            AddVariants(texts, kToolLanguages[i].success);
    return texts;
}

bool IsNumberedOne(std::string_view line, const std::pair<std::string, std::string>& words)
{
    const auto& [before, after] = words;
    if (line.size() != before.size() + 8 + after.size() || line.compare(0, before.size(), before) != 0 ||
        line.compare(line.size() - after.size(), after.size(), after) != 0)
        return false;
    std::string_view digits = line.substr(before.size(), 8);
    return digits.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

bool IsOneOf(std::string_view line, const HeadingTexts& headings)
{
    for (const auto& words : headings.numbered)
        if (IsNumberedOne(line, words))
            return true;
    if (line.size() < headings.lengths.size() ? !headings.lengths.test(line.size()) : !headings.longer)
        return false;
    if (!line.empty() && !headings.firstBytes.test(static_cast<unsigned char>(line[0])))
        return false;
    return std::find(headings.texts.begin(), headings.texts.end(), line) != headings.texts.end();
}

}  // namespace

bool IsLoaderHeading(std::string_view line)
{
    // Asked of every line of a listing: one test of length and first byte
    // turns down nearly all of them.
    static const HeadingTexts either = [] {
        HeadingTexts merged;
        for (ToolHeading heading : {kHeadingBootLoader, kHeadingLegacyOsLoader}) {
            const HeadingTexts& texts = Headings(heading);
            merged.texts.insert(merged.texts.end(), texts.texts.begin(), texts.texts.end());
            merged.lengths |= texts.lengths;
            merged.firstBytes |= texts.firstBytes;
            merged.longer = merged.longer || texts.longer;
        }
        return merged;
    }();
    return IsOneOf(line, either);
}

int ToolHeadingOf(std::string_view line)
{
    for (int heading = 0; heading <= kHeadingUnknownEntryType; ++heading)
        if (IsOneOf(line, Headings(static_cast<ToolHeading>(heading))))
            return heading;
    return -1;
}

bool StartsWithAnySuccessLine(std::string_view line)
{
    for (const std::string& success : SuccessLines())
        if (!success.empty() && line.compare(0, success.size(), success) == 0)
            return true;
    return false;
}

namespace {

// The identifier a sentence of the table (the copy or the create sentence)
// names, in any language: the braced text after the sentence's words that
// come before its "%s".
std::string SentenceIdentifierInAnyLanguage(const std::vector<std::string>& lines,
                                            const char* ToolLanguage::*sentence,
                                            std::vector<std::string>& prefixes)
{
    if (prefixes.empty())
        for (size_t i = 0; i < kToolLanguageCount; ++i)
            if (const char* text = kToolLanguages[i].*sentence) {
                std::string words = text;
                AddVariants(prefixes, words.substr(0, words.find("%s")).c_str());
            }
    for (const std::string& line : lines)
        for (const std::string& prefix : prefixes) {
            size_t at = line.find(prefix);
            if (at == std::string::npos)
                continue;
            size_t open = line.find('{', at + prefix.size());
            size_t close = open == std::string::npos ? open : line.find('}', open);
            if (close != std::string::npos)
                return line.substr(open, close - open + 1);
        }
    return {};
}

}  // namespace

std::string CopiedIdentifierInAnyLanguage(const std::vector<std::string>& lines)
{
    static std::vector<std::string> prefixes;
    return SentenceIdentifierInAnyLanguage(lines, &ToolLanguage::copied, prefixes);
}

std::string CreatedIdentifierInAnyLanguage(const std::vector<std::string>& lines)
{
    static std::vector<std::string> prefixes;
    return SentenceIdentifierInAnyLanguage(lines, &ToolLanguage::created, prefixes);
}

const char* const kSecureBootAdvice =
    "Secure Boot is on. Turn it off in the PC's firmware settings to use test signing, then try again.";
const char* const kAccessDeniedAdvice =
    "Keystave needs administrator rights for this: start it with \"Run as administrator\".";

namespace {

bool SaysSystemMessage(const std::vector<std::string>& lines, SystemMessage message)
{
    static std::vector<std::string> texts[kSystemVolumeExternallyAltered + 1];
    std::vector<std::string>& known = texts[message];
    if (known.empty())
        for (size_t i = 0; i < kToolLanguageCount; ++i)
            if (kToolLanguages[i].system)
                AddVariants(known, kToolLanguages[i].system[message]);
    for (const std::string& line : lines) {
        size_t end = line.find_last_not_of(" \r\n");
        std::string trimmed = end == std::string::npos ? std::string() : line.substr(0, end + 1);
        if (std::find(known.begin(), known.end(), trimmed) != known.end())
            return true;
    }
    return false;
}

}  // namespace

std::string RefusalAdvice(const std::vector<std::string>& lines)
{
    if (SaysSystemMessage(lines, kSystemSecureBootProtected))
        return kSecureBootAdvice;
    if (SaysSystemMessage(lines, kSystemAccessDenied))
        return kAccessDeniedAdvice;
    return {};
}
