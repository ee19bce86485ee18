#pragma once
#include <memory>
#include <string>
#include <vector>

#include "fuzz/oldxml/CXmlComment.h"

namespace oldxml {

// What lies outside the root element: the declaration text and the
// top-level comments.
class CXmlHeader {
public:
    explicit CXmlHeader(std::string declaration) : m_declaration(std::move(declaration)) {}

    const std::string& GetDeclaration() const { return m_declaration; }
    const std::vector<std::unique_ptr<CXmlComment>>& GetComments() const { return m_comments; }
    void AddComment(std::string text, int position)
    {
        m_comments.push_back(std::make_unique<CXmlComment>(std::move(text), nullptr, position));
    }

private:
    std::string m_declaration;
    std::vector<std::unique_ptr<CXmlComment>> m_comments;
};

}  // namespace oldxml
