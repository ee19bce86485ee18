#include "fuzz/oldxml/CXmlParser.h"

#include <cstring>

#include "fuzz/oldxml/CXmlDocument.h"
#include "fuzz/oldxml/CXmlElement.h"

namespace oldxml {

namespace {
constexpr size_t npos = std::string::npos;

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
}  // namespace

size_t CXmlParser::Find(char c, size_t from, size_t end) const
{
    for (size_t i = from; i < end; ++i)
        if (m_text[i] == c)
            return i;
    return npos;
}

size_t CXmlParser::Find(const char* what, size_t from, size_t end) const
{
    size_t length = std::strlen(what);
    for (size_t i = from; i + length <= end; ++i)
        if (m_text.compare(i, length, what) == 0)
            return i;
    return npos;
}

bool CXmlParser::StartsAt(size_t at, const char* what, size_t end) const
{
    size_t length = std::strlen(what);
    return at + length <= end && m_text.compare(at, length, what) == 0;
}

void CXmlParser::AddContent(CXmlElement* owner, size_t begin, size_t end)
{
    while (begin < end && IsXmlSpace(m_text[begin]))
        ++begin;
    while (end > begin && IsXmlSpace(m_text[end - 1]))
        --end;
    if (owner && begin < end)
        owner->AddContent(m_text.substr(begin, end - begin));
}

std::unique_ptr<CXmlElement> CXmlParser::ParseTopLevel(size_t begin)
{
    return ParseLevel(nullptr, begin, m_text.size(), 0);
}

size_t CXmlParser::FindElementEnd(size_t lt, size_t end) const
{
    int depth = 0;
    bool markup = false;
    bool cdata = false;
    size_t p = lt;
    for (;;) {
        size_t q = Find('<', p, end);
        if (q == npos)
            return npos;
        if (q + 1 < end && m_text[q + 1] == '/') {
            size_t gt = Find('>', q, end);
            if (gt == npos)
                return npos;
            if (--depth == 0)
                return gt + 1;
            p = gt + 1;
            continue;
        }
        if (StartsAt(q, "<!--", end) || StartsAt(q, "<?", end))
            markup = true;
        if (StartsAt(q, "<![CDATA[", end))
            cdata = true;
        bool quoted = false;
        size_t r = q;
        for (; r < end; ++r) {
            char c = m_text[r];
            if (cdata) {
                if (c == '>' && r >= q + 11 && m_text[r - 1] == ']' && m_text[r - 2] == ']')
                    break;
                continue;
            }
            if (c == '"')
                quoted = !quoted;
            if (c == '/' && !quoted && !markup)
                break;
            if (c == '>' && (!markup || (r >= q + 3 && m_text[r - 1] == '-' && m_text[r - 2] == '-')))
                break;
        }
        if (r >= end)
            return npos;
        ++depth;
        char stop = m_text[r];
        if ((stop == '/' || markup) && !cdata) {
            markup = false;
            if (--depth == 0)
                return r + 1;
        }
        if (stop == '>' && cdata) {
            cdata = false;
            if (--depth == 0)
                return r + 1;
        }
        p = r + 1;
    }
}

std::unique_ptr<CXmlElement> CXmlParser::ParseLevel(CXmlElement* parent, size_t begin, size_t end,
                                                    int depth)
{
    CXmlHeader& header = *m_document.m_header;
    std::unique_ptr<CXmlElement> pending;  // the current element, while no parent holds it
    CXmlElement* current = nullptr;
    bool seenStartTag = false;
    size_t cursor = begin;
    for (;;) {
        size_t lt = Find('<', cursor, end);
        if (lt == npos) {
            AddContent(parent, cursor, end);
            return pending;
        }
        bool isCData = StartsAt(lt, "<![CDATA[", end);
        bool isComment = StartsAt(lt, "<!--", end);
        AddContent(parent, cursor, lt);
        size_t gt;
        if (isCData) {
            gt = Find("]]>", lt, end);
            gt = gt == npos ? npos : gt + 2;
        } else if (isComment) {
            gt = Find("-->", lt, end);
            gt = gt == npos ? npos : gt + 2;
        } else {
            gt = Find('>', lt, end);
        }
        if (gt == npos)
            return pending;
        char second = lt + 1 < end ? m_text[lt + 1] : '\0';

        if (isComment || second == '?') {
            size_t length = gt - lt;  // "<" up to, not including, the ">"
            std::string text = length >= 6 ? m_text.substr(lt + 4, length - 6) : std::string();
            if (parent)
                parent->AddComment(std::move(text));
            else
                header.AddComment(std::move(text), seenStartTag ? 1 : 0);
        } else if (isCData) {
            if (parent)
                parent->AddCData(m_text.substr(lt + 9, gt - 2 - (lt + 9)));
        } else if (second == '/') {
            if (parent && pending)
                current = parent->AddElement(std::move(pending));
        } else if (gt > lt + 1 && m_text[gt - 1] == '/') {
            seenStartTag = true;
            auto element = std::make_unique<CXmlElement>(parent, m_text.data() + lt + 1, gt - lt - 1);
            if (parent) {
                CXmlElement* added = parent->AddElement(std::move(element));
                if (!current)
                    current = added;
            } else if (!current) {
                current = element.get();
                pending = std::move(element);
            }
        } else {
            seenStartTag = true;
            size_t elementEnd = FindElementEnd(lt, end);
            if (elementEnd == npos) {
                m_document.m_status = CXmlDocument::kMalformed;
                return pending;
            }
            size_t endTag = elementEnd - 1;
            while (endTag > lt && m_text[endTag] != '<')
                --endTag;
            pending = std::make_unique<CXmlElement>(parent, m_text.data() + lt, gt - lt + 1);
            current = pending.get();
            if (depth + 1 >= CXmlDocument::kMaxDepth) {
                m_document.m_status = CXmlDocument::kMalformed;
                return pending;
            }
            if (endTag > gt + 1)
                ParseLevel(current, gt + 1, endTag, depth + 1);
            // A "/" outside quotes inside the start tag makes the count end the
            // element at its own tag: the level cannot go on past it.
            if (endTag <= cursor)
                return pending;
            cursor = endTag;
            continue;
        }
        cursor = gt + 1;
    }
}

}  // namespace oldxml
