#pragma once
#include <memory>
#include <string>

#include "fuzz/oldxml/CXmlElement.h"
#include "fuzz/oldxml/CXmlHeader.h"

namespace oldxml {

// A whole XML file, read into memory and parsed into a tree. Lenient: only
// an element whose end tag cannot be found makes the document malformed.
class CXmlDocument {
public:
    enum Status {
        kParsed = 0,     // declaration found and parsed, or no file at all
        kNoDeclaration = 1,
        kMalformed = 2,  // an element's end could not be found
    };

    CXmlDocument() { LoadFromMemory(std::string()); }
    explicit CXmlDocument(const char* path) { Load(path); }

    // Replaces the whole content by that of the file. A file that cannot be
    // opened gives the default document: an empty root named "root".
    void Load(const char* path);
    void Load(const wchar_t* path);
    // The XML text itself; an empty text gives the same as a missing file.
    void LoadFromMemory(const std::string& text);

    int GetStatus() const { return m_status; }
    // Whether the last Load found and read its file (memory counts when not empty).
    bool FileFound() const { return m_fileFound; }
    bool IsValid() const;
    const CXmlHeader* GetHeader() const { return m_header.get(); }
    // Null only when no element stood at the outermost level.
    CXmlElement* GetRootElement() const { return m_root.get(); }

    // Elements nested deeper than this end the level as malformed, so that
    // no input can exhaust the stack.
    static constexpr int kMaxDepth = 256;

private:
    friend class CXmlParser;
    void LoadBytes(std::string bytes, bool fileFound);

    int m_status = kParsed;
    bool m_fileFound = false;
    std::unique_ptr<CXmlHeader> m_header;
    std::unique_ptr<CXmlElement> m_root;
};

}  // namespace oldxml
