#include "model/CLineTokenizer.h"

CLineTokenizer::CLineTokenizer(std::string_view text, std::string_view delimiters)
    : m_text(text)
{
    for (char c : delimiters)
        m_delimiters.set(static_cast<unsigned char>(c));
}

bool CLineTokenizer::NextToken(std::string& token)
{
    token.clear();
    while (m_position < m_text.size() && IsDelimiter(m_text[m_position]))
        ++m_position;
    if (m_position >= m_text.size())
        return false;
    size_t start = m_position;
    while (m_position < m_text.size() && !IsDelimiter(m_text[m_position]))
        ++m_position;
    token.assign(m_text.data() + start, m_position - start);
    return true;
}

std::string CLineTokenizer::Rest() const
{
    size_t at = m_position;
    while (at < m_text.size() && IsDelimiter(m_text[at]))
        ++at;
    return std::string(m_text.substr(at));
}
