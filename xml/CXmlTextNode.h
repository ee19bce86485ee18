#pragma once
#include <cstdint>
#include <string_view>

class CXmlElement;

// What comments, character data and CDATA sections share: their text (a
// range of the document's loaded text), the element that holds them (none
// for header comments) and their position, the number of child elements
// the owner had when they were met (for header comments: 0 before the root
// element, 1 after it).
class CXmlTextNode {
public:
    CXmlTextNode(std::string_view text, CXmlElement* owner, int position)
        : m_text(text.data()), m_length(static_cast<uint32_t>(text.size())), m_position(position),
          m_owner(owner)
    {
    }

    std::string_view GetText() const { return std::string_view(m_text, m_length); }
    CXmlElement* GetOwner() const { return m_owner; }
    int GetPosition() const { return m_position; }

private:
    const char* m_text;
    uint32_t m_length;
    int32_t m_position;
    CXmlElement* m_owner;
};
