#include "xml/CXmlDocument.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <vector>

#include "common/FileText.h"
#include "xml/CXmlParser.h"
#include "xml/XmlText.h"

namespace {

const char kDefaultDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>";

bool NodeTextsPresent(const CXmlElement& element)
{
    for (const auto& attribute : element.GetAttributes())
        if (attribute->GetOwner() != &element)
            return false;
    for (const auto& content : element.GetContents())
        if (content->GetOwner() != &element)
            return false;
    for (const auto& comment : element.GetComments())
        if (comment->GetOwner() != &element)
            return false;
    return true;
}

}  // namespace

CXmlElement* CXmlDocument::EmptyRoot()
{
    static const char name[] = "root";
    std::string_view text(name);
    return m_arena.Make<CXmlElement>(nullptr, text, false, name, text.size(), text.size(), m_arena);
}

void CXmlDocument::Load(const char* path)
{
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    std::string bytes;
    bool found = file && ReadAndCloseStream(file, bytes);
    LoadBytes(std::move(bytes), found);
}

void CXmlDocument::Load(const wchar_t* path)
{
#ifdef _WIN32
    std::FILE* file = path ? _wfopen(path, L"rb") : nullptr;
#else
    std::string narrow;
    for (const wchar_t* p = path; p && *p; ++p)
        narrow += static_cast<char>(*p < 0x80 ? *p : '?');
    std::FILE* file = path ? std::fopen(narrow.c_str(), "rb") : nullptr;
#endif
    std::string bytes;
    bool found = file && ReadAndCloseStream(file, bytes);
    LoadBytes(std::move(bytes), found);
}

void CXmlDocument::LoadFromMemory(const std::string& text)
{
    LoadBytes(text, !text.empty());
}

void CXmlDocument::LoadBytes(std::string bytes, bool fileFound)
{
    m_status = kParsed;
    m_fileFound = fileFound;
    m_root = nullptr;
    m_header.reset();
    m_arena.Clear();
    m_text.reset();
    if (!fileFound) {
        m_header = std::make_unique<CXmlHeader>(kDefaultDeclaration);
        m_root = EmptyRoot();
        return;
    }
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        bytes = Utf16LeToUtf8(bytes);
    size_t nul = bytes.find('\0');
    if (nul != std::string::npos)
        bytes.resize(nul);
    // Offsets into the text are kept in 32 bits.
    if (bytes.size() > 0xFFFFFFF0u)
        bytes.resize(0xFFFFFFF0u);

    size_t start = 0;
    size_t declarationEnd = bytes.find("?>");
    if (declarationEnd != std::string::npos) {
        start = declarationEnd + 2;
        m_header = std::make_unique<CXmlHeader>(bytes.substr(0, start));
    } else {
        m_status = kNoDeclaration;
        m_header = std::make_unique<CXmlHeader>(std::string("\xEF\xBB\xBF") + kDefaultDeclaration);
    }
    size_t lt = bytes.find('<', start);
    if (lt == std::string::npos) {
        m_status = kNoDeclaration;
        m_root = EmptyRoot();
        return;
    }
    // Node texts are ranges of the loaded text, kept here.
    m_text = std::make_unique<std::string>(std::move(bytes));
    // Nodes take about twice the text's size: the first block is the text's size.
    m_arena.Reserve(m_text->size());
    CXmlParser parser(*this, *m_text, m_arena);
    m_root = parser.ParseTopLevel(lt);
}

bool CXmlDocument::IsValid() const
{
    if (!m_header || m_header->GetDeclaration().empty() || !m_root)
        return false;
    // Walk the tree without recursion: every node must sit where its owner says.
    std::vector<const CXmlElement*> pending{m_root};
    if (m_root->GetParent())
        return false;
    while (!pending.empty()) {
        const CXmlElement* element = pending.back();
        pending.pop_back();
        if (!NodeTextsPresent(*element))
            return false;
        for (const auto& child : element->GetChildren()) {
            if (child->GetParent() != element)
                return false;
            pending.push_back(child);
        }
    }
    return true;
}
