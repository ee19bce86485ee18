#pragma once
#include <string>

namespace oldxml {

class CXmlElement;

// One name="value" pair of a start tag, both stored as written.
class CXmlAttribute {
public:
    CXmlAttribute(std::string name, std::string value, CXmlElement* owner)
        : m_name(std::move(name)), m_value(std::move(value)), m_owner(owner)
    {
    }

    const std::string& GetName() const { return m_name; }
    const std::string& GetValue() const { return m_value; }
    CXmlElement* GetOwner() const { return m_owner; }

private:
    std::string m_name;
    std::string m_value;
    CXmlElement* m_owner;
};

}  // namespace oldxml
