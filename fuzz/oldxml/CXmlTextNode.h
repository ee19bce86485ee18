#pragma once
#include <string>

namespace oldxml {

class CXmlElement;

// What comments, character data and CDATA sections share: their text, the
// element that holds them (none for header comments) and their position,
// the number of child elements the owner had when they were met (for header
// comments: 0 before the root element, 1 after it).
class CXmlTextNode {
public:
    CXmlTextNode(std::string text, CXmlElement* owner, int position)
        : m_text(std::move(text)), m_owner(owner), m_position(position)
    {
    }

    const std::string& GetText() const { return m_text; }
    CXmlElement* GetOwner() const { return m_owner; }
    int GetPosition() const { return m_position; }

private:
    std::string m_text;
    CXmlElement* m_owner;
    int m_position;
};

}  // namespace oldxml
