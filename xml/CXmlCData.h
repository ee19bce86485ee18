#pragma once
#include <cstddef>
#include <string>

class CXmlElement;

// One CDATA section: the characters between its markers, unchanged.
// Its position is how many child elements its owner had when it was met
// (for header comments: 0 before the root element, 1 after it).
class CXmlCData {
public:
    CXmlCData(std::string text, CXmlElement* owner, int position)
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
