#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

#include "xml/CXmlAttribute.h"
#include "xml/CXmlCData.h"
#include "xml/CXmlComment.h"
#include "xml/CXmlContent.h"
#include "xml/CXmlNodeList.h"

class CXmlArena;

// One element: its name (stored entity-encoded), attributes, child elements
// in document order, and the comments, character data and CDATA sections
// met inside it, each with its position among the children. Elements live
// in their document's arena; the parser fills them.
class CXmlElement {
public:
    // Builds the element from its name, as the reader found it in the tag,
    // and the double-quoted attributes from tag[from] up to tag[end - 1].
    // `mayBeEncoded`: the name holds a byte that the stored name may write
    // as a reference. Names and attributes stay ranges of the tag's text,
    // which must outlive the element, unless a name needs encoding.
    CXmlElement(CXmlElement* parent, std::string_view name, bool mayBeEncoded, const char* tag, size_t from,
                size_t end, CXmlArena& arena)
        : m_parent(parent), m_name(name.data()), m_nameLength(static_cast<uint32_t>(name.size()))
    {
        if (mayBeEncoded)
            EncodeName(arena);
        // A tag without attributes ends right after its name.
        if (from < end && tag[from] != '>' && tag[from] != '/')
            ReadAttributes(tag, end, from, arena);
    }

    CXmlElement* GetParent() const { return m_parent; }
    // As CXmlContent::GetValue, on the element's name.
    size_t GetElementName(char* buffer = nullptr, bool raw = false) const;
    std::string Name() const;
    // The name as stored (entity-encoded), without a copy.
    std::string_view StoredName() const { return std::string_view(m_name, m_nameLength); }

    int GetChildrenCount() const { return static_cast<int>(m_childCount); }
    CXmlNodeList<CXmlElement> GetChildren() const
    {
        return CXmlNodeList<CXmlElement>(static_cast<CXmlElement* const*>(m_lists), m_childCount);
    }
    // Null for an index outside the children.
    CXmlElement* GetChild(int index) const;
    // First direct child whose decoded name equals `name` byte for byte; null if none.
    CXmlElement* FindElement(const char* name) const;
    int IndexOfElement(const CXmlElement* child) const;

    CXmlNodeArray<CXmlAttribute> GetAttributes() const
    {
        return CXmlNodeArray<CXmlAttribute>(m_attributes, m_attributeCount);
    }
    CXmlNodeArray<CXmlComment> GetComments() const
    {
        return CXmlNodeArray<CXmlComment>(Comments(), m_commentCount);
    }
    CXmlNodeArray<CXmlContent> GetContents() const
    {
        return CXmlNodeArray<CXmlContent>(Contents(), m_contentCount);
    }
    CXmlNodeArray<CXmlCData> GetCData() const
    {
        return CXmlNodeArray<CXmlCData>(CDataSections(), m_cdataCount);
    }

    // The parser hands over what the element holds once its content is read:
    // one block of the document with the child pointers, then the comments,
    // contents and CDATA sections, each kind side by side.
    void SetLists(void* block, uint32_t children, uint32_t comments, uint32_t contents, uint32_t cdata)
    {
        m_lists = block;
        m_childCount = children;
        m_commentCount = comments;
        m_contentCount = contents;
        m_cdataCount = cdata;
    }

    // The same for an element whose only node is one run of text, kept in the element itself.
    void SetOnlyContent(const CXmlContent& content)
    {
        m_lists = new (m_onlyContent) CXmlContent(content);
        m_contentCount = 1;
    }

private:
    void EncodeName(CXmlArena& arena);
    void ReadAttributes(const char* tag, size_t length, size_t from, CXmlArena& arena);
    CXmlComment* Comments() const
    {
        return reinterpret_cast<CXmlComment*>(static_cast<char*>(m_lists) + m_childCount * sizeof(CXmlElement*));
    }
    CXmlContent* Contents() const { return reinterpret_cast<CXmlContent*>(Comments() + m_commentCount); }
    CXmlCData* CDataSections() const { return reinterpret_cast<CXmlCData*>(Contents() + m_contentCount); }

    CXmlElement* m_parent;
    const char* m_name = nullptr;
    CXmlAttribute* m_attributes = nullptr;
    void* m_lists = nullptr;
    uint32_t m_nameLength = 0;
    uint32_t m_attributeCount = 0;
    uint32_t m_childCount = 0;
    uint32_t m_commentCount = 0;
    uint32_t m_contentCount = 0;
    uint32_t m_cdataCount = 0;
    alignas(CXmlContent) unsigned char m_onlyContent[sizeof(CXmlContent)];
};
