#include "fuzz/oldxml/CXmlElement.h"

#include "fuzz/oldxml/XmlText.h"

namespace oldxml {

namespace {

bool EndsName(char c)
{
    return c == ' ' || c == '\t' || c == '/' || c == '>' || c == '"';
}

}  // namespace

CXmlElement::CXmlElement(CXmlElement* parent, const char* tag, size_t length) : m_parent(parent)
{
    m_children.reserve(20);
    m_attributes.reserve(20);
    size_t i = 0;
    while (i < length && tag[i] == '<')
        ++i;
    size_t start = i;
    while (i < length && !EndsName(tag[i]))
        ++i;
    m_name = EncodeEntities(std::string(tag + start, i - start));
    ReadAttributes(tag, length, i);
}

void CXmlElement::ReadAttributes(const char* tag, size_t length, size_t i)
{
    for (;;) {
        while (i < length && (tag[i] == ' ' || tag[i] == '\t'))
            ++i;
        if (i >= length || tag[i] == '>' || tag[i] == '/')
            return;
        size_t equals = i;
        while (equals < length && tag[equals] != '=')
            ++equals;
        if (equals >= length)
            return;
        size_t nameEnd = equals;
        while (nameEnd > i && tag[nameEnd - 1] == ' ')
            --nameEnd;
        size_t open = equals + 1;
        while (open < length && tag[open] != '"')
            ++open;
        if (open >= length)
            return;
        size_t close = open + 1;
        while (close < length && tag[close] != '"')
            ++close;
        if (close >= length)
            return;
        AddAttribute(std::string(tag + i, nameEnd - i), std::string(tag + open + 1, close - open - 1));
        i = close + 1;
    }
}

size_t CXmlElement::GetElementName(char* buffer, bool raw) const
{
    return CopyNodeText(m_name, buffer, raw);
}

std::string CXmlElement::Name() const { return DecodeEntities(m_name); }

CXmlElement* CXmlElement::GetChild(int index) const
{
    if (index < 0 || index >= GetChildrenCount())
        return nullptr;
    return m_children[static_cast<size_t>(index)].get();
}

CXmlElement* CXmlElement::FindElement(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& child : m_children)
        if (child->Name() == name)
            return child.get();
    return nullptr;
}

int CXmlElement::IndexOfElement(const CXmlElement* child) const
{
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

CXmlElement* CXmlElement::AddElement(std::unique_ptr<CXmlElement> child)
{
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void CXmlElement::AddAttribute(std::string name, std::string value)
{
    m_attributes.push_back(std::make_unique<CXmlAttribute>(std::move(name), std::move(value), this));
}

void CXmlElement::AddComment(std::string text)
{
    m_comments.push_back(std::make_unique<CXmlComment>(std::move(text), this, GetChildrenCount()));
}

void CXmlElement::AddContent(std::string text)
{
    m_contents.push_back(std::make_unique<CXmlContent>(std::move(text), this, GetChildrenCount()));
}

void CXmlElement::AddCData(std::string text)
{
    m_cdata.push_back(std::make_unique<CXmlCData>(std::move(text), this, GetChildrenCount()));
}

}  // namespace oldxml
