#include "model/CLineTokenizer.h"

#include <cstring>

CLineTokenizer::CLineTokenizer(std::string_view text, std::string_view delimiters)
    : m_text(text), m_delimiters(delimiters)
{
}

size_t CLineTokenizer::SkipDelimiters(size_t at) const
{
    while (at < m_text.size() && IsDelimiter(m_text[at]))
        ++at;
    return at;
}

size_t CLineTokenizer::FindDelimiter(size_t at) const
{
    if (m_delimiters.size() == 1) {
        // Element names are short and the padding after them long: one
        // library search finds the name's end.
        const void* found = std::memchr(m_text.data() + at, m_delimiters[0], m_text.size() - at);
        return found ? static_cast<size_t>(static_cast<const char*>(found) - m_text.data()) : m_text.size();
    }
    while (at < m_text.size() && !IsDelimiter(m_text[at]))
        ++at;
    return at;
}

bool CLineTokenizer::NextToken(std::string_view& token)
{
    token = {};
    m_position = SkipDelimiters(m_position);
    if (m_position >= m_text.size())
        return false;
    size_t start = m_position;
    m_position = FindDelimiter(start);
    token = m_text.substr(start, m_position - start);
    return true;
}

std::string_view CLineTokenizer::Rest() const { return m_text.substr(SkipDelimiters(m_position)); }
