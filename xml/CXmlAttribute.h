#pragma once
#include <cstdint>
#include <string_view>

class CXmlElement;

// One name="value" pair of a start tag, both as written (ranges of the
// document's loaded text).
class CXmlAttribute {
public:
    CXmlAttribute(std::string_view name, std::string_view value, CXmlElement* owner)
        : m_name(name.data()), m_value(value.data()), m_nameLength(static_cast<uint32_t>(name.size())),
          m_valueLength(static_cast<uint32_t>(value.size())), m_owner(owner)
    {
    }

    std::string_view GetName() const { return std::string_view(m_name, m_nameLength); }
    std::string_view GetValue() const { return std::string_view(m_value, m_valueLength); }
    CXmlElement* GetOwner() const { return m_owner; }

private:
    const char* m_name;
    const char* m_value;
    uint32_t m_nameLength;
    uint32_t m_valueLength;
    CXmlElement* m_owner;
};
