#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace oldxml {

class CXmlDocument;
class CXmlElement;

// Parses loaded text into a document's header and tree. Every scan is
// bounded by the range it was given, so no input reads outside the text.
class CXmlParser {
public:
    CXmlParser(CXmlDocument& document, const std::string& text)
        : m_document(document), m_text(text)
    {
    }

    // The root: the last top-level element that had an end tag, or else the
    // first top-level empty-element tag; null when there is none.
    std::unique_ptr<CXmlElement> ParseTopLevel(size_t begin);

    // Just past the ">" of the end tag matching the start tag at `lt`, by
    // nesting count alone; npos when there is none before `end`.
    size_t FindElementEnd(size_t lt, size_t end) const;

private:
    std::unique_ptr<CXmlElement> ParseLevel(CXmlElement* parent, size_t begin, size_t end,
                                            int depth);
    size_t Find(char c, size_t from, size_t end) const;
    size_t Find(const char* what, size_t from, size_t end) const;
    bool StartsAt(size_t at, const char* what, size_t end) const;
    void AddContent(CXmlElement* owner, size_t begin, size_t end);

    CXmlDocument& m_document;
    const std::string& m_text;
};

}  // namespace oldxml
