#pragma once
#include <bitset>
#include <string>
#include <string_view>

// Cuts one line into tokens separated by any of the delimiter characters.
// It reads the caller's text in place: the text must outlive the tokenizer.
class CLineTokenizer {
public:
    CLineTokenizer(std::string_view text, std::string_view delimiters);
    CLineTokenizer(const char* text, std::string_view delimiters)
        : CLineTokenizer(std::string_view(text), delimiters)
    {
    }
    // A temporary would be gone before the first token.
    CLineTokenizer(std::string&& text, std::string_view delimiters) = delete;

    // The next token, with the position left on the delimiter that ended it;
    // false (and an empty token) at the end of the text.
    bool NextToken(std::string& token);
    // Everything from the next non-delimiter to the end, trailing blanks
    // included; does not move the position.
    std::string Rest() const;

private:
    bool IsDelimiter(char c) const { return m_delimiters.test(static_cast<unsigned char>(c)); }

    std::string_view m_text;
    std::bitset<256> m_delimiters;
    size_t m_position = 0;
};
