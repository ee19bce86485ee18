#pragma once
#include <string>
#include <vector>

#include "xml/CXmlComment.h"
#include "xml/CXmlNodeList.h"

// What lies outside the root element: the declaration text and the
// top-level comments (nodes of the document's arena).
class CXmlHeader {
public:
    explicit CXmlHeader(std::string declaration) : m_declaration(std::move(declaration)) {}

    const std::string& GetDeclaration() const { return m_declaration; }
    CXmlNodeList<CXmlComment> GetComments() const
    {
        return CXmlNodeList<CXmlComment>(m_comments.data(), m_comments.size());
    }
    void AddComment(CXmlComment* comment) { m_comments.push_back(comment); }
    void ClearComments() { m_comments.clear(); }

private:
    std::string m_declaration;
    std::vector<CXmlComment*> m_comments;
};
