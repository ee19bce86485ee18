#pragma once
#include <cstddef>
#include <string>

class CXmlElement;

// One run of character data inside an element, trimmed of surrounding white space and stored as written (references undecoded).
// Its position is how many child elements its owner had when it was met
// (for header comments: 0 before the root element, 1 after it).
class CXmlContent {
public:
    CXmlContent(std::string text, CXmlElement* owner, int position)
        : m_text(std::move(text)), m_owner(owner), m_position(position)
    {
    }

    const std::string& GetText() const { return m_text; }
    CXmlElement* GetOwner() const { return m_owner; }
    int GetPosition() const { return m_position; }
    // No buffer: the stored length; otherwise writes the decoded (or, with
    // raw, the stored) text with a terminating NUL and returns its length.
    size_t GetValue(char* buffer = nullptr, bool raw = false) const;
    // The decoded text, for callers that do not want a buffer of their own.
    std::string Value() const;

private:
    std::string m_text;
    CXmlElement* m_owner;
    int m_position;
};
