#pragma once
#include <string>
#include <string_view>

#include "common/ByteSearch.h"

// Cuts one line into tokens separated by any of the delimiter characters.
// It reads the caller's text and delimiters in place: both must outlive the
// tokenizer. Inline: a listing's every line goes through it.
class CLineTokenizer {
public:
    CLineTokenizer(std::string_view text, std::string_view delimiters)
        : m_text(text), m_delimiters(delimiters)
    {
    }
    CLineTokenizer(const char* text, std::string_view delimiters)
        : CLineTokenizer(std::string_view(text), delimiters)
    {
    }
    // A temporary would be gone before the first token.
    CLineTokenizer(std::string&& text, std::string_view delimiters) = delete;

    // The next token, with the position left on the delimiter that ended it;
    // false (and an empty token) at the end of the text. Tokens and the rest
    // are ranges of the caller's text.
    bool NextToken(std::string_view& token)
    {
        size_t start = SkipDelimiters(m_position);
        m_position = FindDelimiter(start);
        token = m_text.substr(start, m_position - start);
        return !token.empty();
    }
    // Everything from the next non-delimiter to the end, trailing blanks
    // included; does not move the position.
    std::string_view Rest() const { return m_text.substr(SkipDelimiters(m_position)); }

private:
    bool IsDelimiter(char c) const { return m_delimiters.find(c) != std::string_view::npos; }
    size_t SkipDelimiters(size_t at) const
    {
        if (m_delimiters.size() != 1) {
            while (at < m_text.size() && IsDelimiter(m_text[at]))
                ++at;
            return at;
        }
        return SkipByte(m_text.data(), at, m_text.size(), m_delimiters[0]);
    }
    size_t FindDelimiter(size_t at) const
    {
        if (m_delimiters.size() != 1) {
            while (at < m_text.size() && !IsDelimiter(m_text[at]))
                ++at;
            return at;
        }
        return FindByte(m_text.data(), at, m_text.size(), m_delimiters[0]);
    }

    std::string_view m_text;
    std::string_view m_delimiters;
    size_t m_position = 0;
};
