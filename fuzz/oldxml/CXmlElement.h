#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/oldxml/CXmlAttribute.h"
#include "fuzz/oldxml/CXmlCData.h"
#include "fuzz/oldxml/CXmlComment.h"
#include "fuzz/oldxml/CXmlContent.h"

namespace oldxml {

// One element: its name (stored entity-encoded), attributes, child elements
// in document order, and the comments, character data and CDATA sections
// met inside it, each with its position among the children.
class CXmlElement {
public:
    // Builds the element from its tag text ("<name attr="v" ...>"): the name
    // runs to the first blank, tab, "/", ">", quote or end; double-quoted
    // attributes follow.
    CXmlElement(CXmlElement* parent, const char* tag, size_t length);

    CXmlElement* GetParent() const { return m_parent; }
    // As CXmlContent::GetValue, on the element's name.
    size_t GetElementName(char* buffer = nullptr, bool raw = false) const;
    std::string Name() const;

    int GetChildrenCount() const { return static_cast<int>(m_children.size()); }
    const std::vector<std::unique_ptr<CXmlElement>>& GetChildren() const { return m_children; }
    // Null for an index outside the children.
    CXmlElement* GetChild(int index) const;
    // First direct child whose decoded name equals `name` byte for byte; null if none.
    CXmlElement* FindElement(const char* name) const;
    int IndexOfElement(const CXmlElement* child) const;

    const std::vector<std::unique_ptr<CXmlAttribute>>& GetAttributes() const { return m_attributes; }
    const std::vector<std::unique_ptr<CXmlContent>>& GetContents() const { return m_contents; }
    const std::vector<std::unique_ptr<CXmlComment>>& GetComments() const { return m_comments; }
    const std::vector<std::unique_ptr<CXmlCData>>& GetCData() const { return m_cdata; }

    CXmlElement* AddElement(std::unique_ptr<CXmlElement> child);
    void AddAttribute(std::string name, std::string value);
    void AddComment(std::string text);
    void AddContent(std::string text);
    void AddCData(std::string text);

private:
    void ReadAttributes(const char* tag, size_t length, size_t from);

    CXmlElement* m_parent;
    std::string m_name;
    std::vector<std::unique_ptr<CXmlElement>> m_children;
    std::vector<std::unique_ptr<CXmlAttribute>> m_attributes;
    std::vector<std::unique_ptr<CXmlComment>> m_comments;
    std::vector<std::unique_ptr<CXmlContent>> m_contents;
    std::vector<std::unique_ptr<CXmlCData>> m_cdata;
};

}  // namespace oldxml
