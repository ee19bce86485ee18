#include "xml/CXmlElement.h"

#include <cstring>
#include <vector>

#include "xml/CXmlArena.h"
#include "xml/XmlText.h"

void CXmlElement::EncodeName(CXmlArena& arena)
{
    std::string_view name = StoredName();
    if (!NeedsEncoding(name))
        return;
    std::string encoded = EncodeEntities(name);
    char* copy = static_cast<char*>(arena.Allocate(encoded.size() + 1, 1));
    std::memcpy(copy, encoded.c_str(), encoded.size() + 1);
    m_name = copy;
    m_nameLength = static_cast<uint32_t>(encoded.size());
}

void CXmlElement::ReadAttributes(const char* tag, size_t length, size_t i, CXmlArena& arena)
{
    // Side by side in the arena: nothing else is placed there meanwhile, so
    // each one follows the last unless a new block began.
    CXmlAttribute* first = nullptr;
    size_t count = 0;
    for (;;) {
        while (i < length && (tag[i] == ' ' || tag[i] == '\t'))
            ++i;
        if (i >= length || tag[i] == '>' || tag[i] == '/')
            break;
        size_t equals = i;
        while (equals < length && tag[equals] != '=')
            ++equals;
        if (equals >= length)
            break;
        size_t nameEnd = equals;
        while (nameEnd > i && tag[nameEnd - 1] == ' ')
            --nameEnd;
        size_t open = equals + 1;
        while (open < length && tag[open] != '"')
            ++open;
        if (open >= length)
            break;
        size_t close = open + 1;
        while (close < length && tag[close] != '"')
            ++close;
        if (close >= length)
            break;
        CXmlAttribute* added = arena.Make<CXmlAttribute>(std::string_view(tag + i, nameEnd - i),
                                                         std::string_view(tag + open + 1, close - open - 1), this);
        if (!first) {
            first = added;
        } else if (added != first + count) {
            auto* moved = static_cast<CXmlAttribute*>(
                arena.Allocate((count + 1) * sizeof(CXmlAttribute), alignof(CXmlAttribute)));
            std::memcpy(static_cast<void*>(moved), first, count * sizeof(CXmlAttribute));
            moved[count] = *added;
            first = moved;
        }
        ++count;
        i = close + 1;
    }
    m_attributes = first;
    m_attributeCount = static_cast<uint32_t>(count);
}

size_t CXmlElement::GetElementName(char* buffer, bool raw) const
{
    return CopyNodeText(StoredName(), buffer, raw);
}

std::string CXmlElement::Name() const { return DecodeEntities(StoredName()); }

CXmlElement* CXmlElement::GetChild(int index) const
{
    if (index < 0 || index >= GetChildrenCount())
        return nullptr;
    return GetChildren()[static_cast<size_t>(index)];
}

CXmlElement* CXmlElement::FindElement(const char* name) const
{
    if (!name)
        return nullptr;
    std::string_view wanted(name);
    for (CXmlElement* child : GetChildren()) {
        std::string_view stored = child->StoredName();
        // A name without "&" is its own decoding.
        if (std::memchr(stored.data(), '&', stored.size()) == nullptr ? stored == wanted
                                                                       : child->Name() == wanted)
            return child;
    }
    return nullptr;
}

int CXmlElement::IndexOfElement(const CXmlElement* child) const
{
    CXmlNodeList<CXmlElement> children = GetChildren();
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == child)
            return static_cast<int>(i);
    return -1;
}
