#include "xml/CXmlParser.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "common/ByteSearch.h"
#include "xml/CXmlArena.h"
#include "xml/CXmlDocument.h"
#include "xml/CXmlElement.h"
#include "xml/XmlByteClasses.h"

static_assert(std::is_trivially_copyable<CXmlContent>::value &&
                  std::is_trivially_copyable<CXmlComment>::value &&
                  std::is_trivially_copyable<CXmlCData>::value,
              "text nodes are copied as bytes into their element's block");

namespace {
constexpr size_t npos = std::string_view::npos;

#ifdef KEYSTAVE_SSE2
__m128i Load16(const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
__m128i Equal(__m128i chunk, char c) { return _mm_cmpeq_epi8(chunk, _mm_set1_epi8(c)); }
unsigned Mask(__m128i hits) { return static_cast<unsigned>(_mm_movemask_epi8(hits)); }
#endif

// The first of up to three bytes in [from, end): sixteen at a time where
// the processor has SSE2 (every x86-64 does), else one by one.
size_t FindFirstOf(const char* data, size_t from, size_t end, char a, char b, char c)
{
    size_t i = from;
#ifdef KEYSTAVE_SSE2
    for (; i + 16 <= end; i += 16) {
        __m128i chunk = Load16(data + i);
        unsigned mask = Mask(_mm_or_si128(_mm_or_si128(Equal(chunk, a), Equal(chunk, b)), Equal(chunk, c)));
        if (mask)
            return i + LowestBit(mask);
    }
#endif
    for (; i < end; ++i)
        if (data[i] == a || data[i] == b || data[i] == c)
            return i;
    return npos;
}

bool IsXmlSpace(char c) { return (kXmlBytes[c] & XmlByteClasses::kSpace) != 0; }

// The first byte in [from, end) that is not white space; `end` when none.
size_t SkipSpaces(const char* data, size_t from, size_t end)
{
    while (from < end && IsXmlSpace(data[from]))
        ++from;
    return from;
}

}  // namespace

// Where one level's nodes start in the staging lists.
struct CXmlParser::Marks {
    size_t children, comments, contents, cdata;
};

CXmlParser::Marks CXmlParser::MarkLevel() const
{
    return Marks{m_staging.children.size(), m_staging.comments.size(), m_staging.contents.size(),
                 m_staging.cdata.size()};
}

namespace {
// A level's part of a staging list, copied to `at` and taken off the list.
template <class T>
char* MoveStaged(std::vector<T>& staged, size_t from, char* at)
{
    size_t count = staged.size() - from;
    T* target = reinterpret_cast<T*>(at);
    // Most levels hold one or two nodes of a kind: no library call for those.
    for (size_t i = 0; i < count; ++i)
        new (target + i) T(staged[from + i]);
    staged.erase(staged.begin() + static_cast<std::ptrdiff_t>(from), staged.end());
    return at + count * sizeof(T);
}
}  // namespace

// Hands a level's nodes to its element, in one block of the arena.
void CXmlParser::FinishLevel(CXmlElement* parent, const Marks& marks)
{
    if (!parent)
        return;
    size_t children = m_staging.children.size() - marks.children;
    size_t comments = m_staging.comments.size() - marks.comments;
    size_t contents = m_staging.contents.size() - marks.contents;
    size_t cdata = m_staging.cdata.size() - marks.cdata;
    size_t bytes = children * sizeof(CXmlElement*) + comments * sizeof(CXmlComment) +
                   contents * sizeof(CXmlContent) + cdata * sizeof(CXmlCData);
    if (bytes == 0)
        return;
    char* block = static_cast<char*>(m_arena.Allocate(bytes, alignof(CXmlElement*)));
    char* at = MoveStaged(m_staging.children, marks.children, block);
    at = MoveStaged(m_staging.comments, marks.comments, at);
    at = MoveStaged(m_staging.contents, marks.contents, at);
    MoveStaged(m_staging.cdata, marks.cdata, at);
    parent->SetLists(block, static_cast<uint32_t>(children), static_cast<uint32_t>(comments),
                     static_cast<uint32_t>(contents), static_cast<uint32_t>(cdata));
}

// The level reading's hand-over, however the level ends.
class CXmlParser::Level {
public:
    Level(CXmlParser& parser, CXmlElement* parent) : m_parser(parser), m_parent(parent), m_marks(parser.MarkLevel()) {}
    ~Level() { m_parser.FinishLevel(m_parent, m_marks); }
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;
    int ChildCount() const { return static_cast<int>(m_parser.m_staging.children.size() - m_marks.children); }

private:
    CXmlParser& m_parser;
    CXmlElement* m_parent;
    Marks m_marks;
};

CXmlParser::CXmlParser(CXmlDocument& document, std::string_view text, CXmlArena& arena)
    : m_document(document), m_text(text), m_arena(arena)
{
}

// Where the nesting count's walk leaves a start tag: its first ">", or a
// "/" outside double quotes.
size_t CXmlParser::TagStop(size_t from, size_t end) const
{
    bool quoted = false;
    for (size_t i = FindFirstOf(m_text.data(), from, end, '/', '>', '"'); i != npos;
         i = FindFirstOf(m_text.data(), i + 1, end, '/', '>', '"')) {
        char c = m_text[i];
        if (c == '"')
            quoted = !quoted;
        else if (c == '>' || !quoted)
            return i;
    }
    return npos;
}

size_t CXmlParser::Find(char c, size_t from, size_t end) const
{
    if (from >= end)
        return npos;
    // Most runs between markup are short: the first bytes here, the rest by memchr.
    const char* data = m_text.data();
    size_t quick = end - from > 64 ? from + 64 : end;
    size_t found = FindFirstOf(data, from, quick, c, c, c);
    if (found != npos || quick >= end)
        return found;
    const void* at = std::memchr(data + quick, c, end - quick);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - data) : npos;
}

// The first "-->" or "]]>" at or after `from`, ending before `end`.
size_t CXmlParser::FindTerminator(const char* what, size_t from, size_t end) const
{
    for (size_t gt = Find('>', from + 2, end); gt != npos; gt = Find('>', gt + 1, end))
        if (m_text[gt - 1] == what[1] && m_text[gt - 2] == what[0])
            return gt - 2;
    return npos;
}

bool CXmlParser::StartsAt(size_t at, const char* what, size_t length, size_t end) const
{
    return at + length <= end && std::memcmp(m_text.data() + at, what, length) == 0;
}

std::string_view CXmlParser::Trimmed(size_t begin, size_t end) const
{
    while (begin < end && IsXmlSpace(m_text[begin]))
        ++begin;
    while (end > begin && IsXmlSpace(m_text[end - 1]))
        --end;
    return m_text.substr(begin, end - begin);
}

void CXmlParser::AddContent(CXmlElement* owner, size_t begin, size_t end, int position)
{
    if (!owner)
        return;
    std::string_view text = Trimmed(begin, end);
    if (!text.empty())
        m_staging.contents.emplace_back(text, owner, position);
}

// The nesting count's walk from the "<" at `from` to the end of the text:
// start tags count +1, end tags -1, empty-element tags, comments,
// processing instructions and CDATA sections 0. Every tag met gets the
// point where the count falls back below it.
void CXmlParser::WalkTags(size_t from, std::vector<TagEnd>& ends) const
{
    const size_t size = m_text.size();
    std::vector<size_t> open;  // indexes into `ends`
    size_t p = from;
    for (;;) {
        size_t q = Find('<', p, size);
        if (q == npos)
            return;
        if (q + 1 < size && m_text[q + 1] == '/') {
            size_t gt = Find('>', q, size);
            if (gt == npos)
                return;
            if (!open.empty()) {
                ends[open.back()].end = static_cast<uint32_t>(gt + 1);
                open.pop_back();
            }
            p = gt + 1;
            continue;
        }
        bool markup = StartsAt(q, "<!--", 4, size) || StartsAt(q, "<?", 2, size);
        bool cdata = StartsAt(q, "<![CDATA[", 9, size);
        size_t r = npos;
        if (cdata || markup) {
            // A CDATA section ends at "]]>" after its marker; a comment or
            // processing instruction only at "-->".
            size_t terminator = cdata ? FindTerminator("]]>", q + 9, size) : FindTerminator("-->", q + 1, size);
            r = terminator == npos ? npos : terminator + 2;
        } else {
            r = TagStop(q + 1, size);
        }
        if (r == npos)
            return;
        ends.push_back(TagEnd{static_cast<uint32_t>(q), kNoEnd});
        if (cdata || markup || m_text[r] == '/')
            ends.back().end = static_cast<uint32_t>(r + 1);
        else
            open.push_back(ends.size() - 1);
        p = r + 1;
    }
}

uint32_t CXmlParser::EndOfTag(size_t lt)
{
    if (!m_walked) {
        m_walked = true;
        WalkTags(lt, m_ends);
    }
    // Levels ask in text order: the answer is at or after the last one.
    if (m_nextEnd < m_ends.size() && m_ends[m_nextEnd].tag > lt)
        m_nextEnd = static_cast<size_t>(
            std::lower_bound(m_ends.begin(), m_ends.end(), lt,
                             [](const TagEnd& e, size_t at) { return e.tag < at; }) -
            m_ends.begin());
    while (m_nextEnd < m_ends.size() && m_ends[m_nextEnd].tag < lt)
        ++m_nextEnd;
    if (m_nextEnd < m_ends.size() && m_ends[m_nextEnd].tag == lt)
        return m_ends[m_nextEnd].end;
    auto known = m_otherEnds.find(static_cast<uint32_t>(lt));
    if (known != m_otherEnds.end())
        return known->second;
    std::vector<TagEnd> walked;
    WalkTags(lt, walked);
    for (const TagEnd& tag : walked)
        m_otherEnds.emplace(tag.tag, tag.end);
    known = m_otherEnds.find(static_cast<uint32_t>(lt));
    return known != m_otherEnds.end() ? known->second : kNoEnd;
}

size_t CXmlParser::FindElementEnd(size_t lt, size_t end)
{
    uint32_t found = EndOfTag(lt);
    return found != kNoEnd && found <= end ? found : npos;
}

inline CXmlParser::TagName CXmlParser::FindTagName(const char* data, size_t from, size_t end)
{
    while (from < end && data[from] == '<')
        ++from;
    size_t i = from;
    bool encoded = false;
#ifdef KEYSTAVE_SSE2
    for (; i + 16 <= end; i += 16) {
        __m128i chunk = Load16(data + i);
        unsigned stops = Mask(_mm_or_si128(_mm_or_si128(Equal(chunk, ' '), Equal(chunk, '\t')),
                                           _mm_or_si128(_mm_or_si128(Equal(chunk, '/'), Equal(chunk, '>')),
                                                        Equal(chunk, '"'))));
        unsigned encodes = Mask(_mm_or_si128(_mm_or_si128(Equal(chunk, '&'), Equal(chunk, '<')), Equal(chunk, '\'')));
        if (stops) {
            unsigned bit = LowestBit(stops);
            encoded |= (encodes & ((1u << bit) - 1)) != 0;
            return TagName{from, i + bit, encoded};
        }
        encoded |= encodes != 0;
    }
#endif
    for (; i < end; ++i) {
        unsigned char kind = kXmlBytes[data[i]];
        if (kind & XmlByteClasses::kNameEnd)
            break;
        encoded |= (kind & XmlByteClasses::kEncoded) != 0;
    }
    return TagName{from, i, encoded};
}

// The element of a start tag whose attributes end before `tagEnd`.
inline CXmlElement* CXmlParser::MakeElement(CXmlElement* parent, const TagName& name, size_t tagEnd)
{
    std::string_view stored(m_text.data() + name.begin, name.end - name.begin);
    return m_arena.Make<CXmlElement>(parent, stored, name.mayBeEncoded, m_text.data(), name.end, tagEnd, m_arena);
}

CXmlElement* CXmlParser::ParseTopLevel(size_t begin)
{
    CXmlElement* root = nullptr;
    if (ParseInOneWalk(begin, root))
        return root;
    // Nothing of the abandoned walk stays.
    m_arena.Clear();
    m_document.m_header->ClearComments();
    m_staging = Staging();
    return ParseLevel(nullptr, begin, m_text.size(), 0);
}

// The next "<" at or after `from` (npos when none), and the text before
// it without white space at either end. Most often that text is only the
// blanks that indent the "<", which need no search.
inline size_t CXmlParser::NextMarkup(size_t from, std::string_view& between) const
{
    const char* text = m_text.data();
    const size_t size = m_text.size();
    size_t textBegin = SkipSpaces(text, from, size);
    size_t lt = textBegin < size && text[textBegin] == '<' ? textBegin : Find('<', textBegin, size);
    // The blanks before it are at its end alone.
    size_t textEnd = lt == npos ? textBegin : lt;
    while (textEnd > textBegin && IsXmlSpace(text[textEnd - 1]))
        --textEnd;
    between = std::string_view(text + textBegin, textEnd - textBegin);
    return lt;
}

// Just past the name of the end tag at `lt`: its ">", or npos when another
// "<" or the end of the text comes first. The level reading backs up from
// the ">" to the nearest "<", so the end tag must hold no other.
inline size_t CXmlParser::EndTagClose(size_t lt) const
{
    size_t gt = FindFirstOf(m_text.data(), lt + 2, m_text.size(), '>', '<', '<');
    return gt != npos && m_text[gt] == '>' ? gt : npos;
}

bool CXmlParser::ParseInOneWalk(size_t begin, CXmlElement*& root)
{
    const size_t size = m_text.size();
    const char* text = m_text.data();
    CXmlHeader& header = *m_document.m_header;
    // The open elements, each with where its level's nodes start. An
    // abandoned walk hands nothing over: its arena is cleared.
    struct Open {
        CXmlElement* element;
        Marks marks;
    };
    std::vector<Open> open;
    open.reserve(64);
    CXmlElement* pending = nullptr;  // the root so far
    CXmlElement* current = nullptr;
    bool seenStartTag = false;
    auto inner = [&]() { return open.empty() ? nullptr : open.back().element; };
    auto childCount = [&]() {
        return open.empty() ? 0 : static_cast<int>(m_staging.children.size() - open.back().marks.children);
    };
    std::string_view between;
    size_t next = NextMarkup(begin, between);
    for (;;) {
        size_t q = next;
        if (q == npos) {
            if (!open.empty())
                return false;  // an element without its end
            root = pending;
            return true;
        }
        char second = q + 1 < size ? text[q + 1] : '\0';
        if (second == '/') {
            size_t gt = EndTagClose(q);
            if (gt == npos)
                return false;
            if (open.empty()) {
                next = NextMarkup(gt + 1, between);
                continue;
            }
            CXmlElement* closed = open.back().element;
            const Marks& marks = open.back().marks;
            if (marks.children == m_staging.children.size() && marks.comments == m_staging.comments.size() &&
                marks.contents == m_staging.contents.size() && marks.cdata == m_staging.cdata.size()) {
                // Nothing but text, or nothing: most elements are read so.
                if (!between.empty())
                    closed->SetOnlyContent(CXmlContent(between, closed, 0));
            } else {
                if (!between.empty())
                    m_staging.contents.emplace_back(between, closed, childCount());
                FinishLevel(closed, marks);
            }
            open.pop_back();
            if (!open.empty())
                m_staging.children.push_back(closed);
            next = NextMarkup(gt + 1, between);
            continue;
        }
        if (!between.empty() && !open.empty())
            m_staging.contents.emplace_back(between, open.back().element, childCount());
        if (second == '?')
            return false;
        if (second == '!' && (StartsAt(q, "<!--", 4, size) || StartsAt(q, "<![CDATA[", 9, size))) {
            bool comment = text[q + 2] == '-';
            size_t terminator = FindTerminator(comment ? "-->" : "]]>", q + (comment ? 1 : 9), size);
            if (terminator == npos)
                return false;
            size_t gt = terminator + 2;
            CXmlElement* parent = inner();
            if (comment) {
                size_t length = gt - q;
                std::string_view body = length >= 6 ? m_text.substr(q + 4, length - 6) : std::string_view();
                if (parent)
                    m_staging.comments.emplace_back(body, parent, childCount());
                else
                    header.AddComment(m_arena.Make<CXmlComment>(body, nullptr, seenStartTag ? 1 : 0));
            } else if (parent) {
                m_staging.cdata.emplace_back(m_text.substr(q + 9, gt - 2 - (q + 9)), parent, childCount());
            }
            next = NextMarkup(gt + 1, between);
            continue;
        }
        // A start tag: its name runs from past the "<"s to a blank, "/",
        // ">" or quote; the tag ends at its first ">", or at a "/" outside
        // quotes. Without attributes, the name's end is the tag's.
        TagName name = FindTagName(text, q + 1, size);
        if (name.end >= size)
            return false;
        size_t r = text[name.end] == '>' || text[name.end] == '/' ? name.end : TagStop(name.end, size);
        if (r == npos)
            return false;
        seenStartTag = true;
        CXmlElement* parent = inner();
        if (text[r] == '/') {
            if (r + 1 >= size || text[r + 1] != '>')
                return false;
            auto* element = MakeElement(parent, name, r + 1);
            if (parent)
                m_staging.children.push_back(element);
            else if (!current)
                current = pending = element;
            next = NextMarkup(r + 2, between);
            continue;
        }
        // A "/" just before the ">" inside quotes: the level reading would take
        // the tag as empty, the count as open.
        if (text[r - 1] == '/' || open.size() + 1 >= static_cast<size_t>(CXmlDocument::kMaxDepth))
            return false;
        auto* element = MakeElement(parent, name, r + 1);
        if (!parent)
            current = pending = element;
        next = NextMarkup(r + 1, between);
        if (next != npos && next + 1 < size && text[next + 1] == '/') {
            // Its end tag follows its text, or nothing: most elements are so,
            // and need no place among the open ones.
            size_t gt = EndTagClose(next);
            if (gt == npos)
                return false;
            if (!between.empty())
                element->SetOnlyContent(CXmlContent(between, element, 0));
            if (parent)
                m_staging.children.push_back(element);
            next = NextMarkup(gt + 1, between);
            continue;
        }
        open.push_back(Open{element, MarkLevel()});
    }
}

CXmlElement* CXmlParser::ParseLevel(CXmlElement* parent, size_t begin, size_t end, int depth)
{
    Level level(*this, parent);
    CXmlHeader& header = *m_document.m_header;
    CXmlElement* pending = nullptr;  // the current element, while no parent holds it
    CXmlElement* current = nullptr;
    bool seenStartTag = false;
    size_t cursor = begin;
    for (;;) {
        size_t lt = Find('<', cursor, end);
        if (lt == npos) {
            AddContent(parent, cursor, end, level.ChildCount());
            return pending;
        }
        char second = lt + 1 < end ? m_text[lt + 1] : '\0';
        bool isCData = second == '!' && StartsAt(lt, "<![CDATA[", 9, end);
        bool isComment = second == '!' && StartsAt(lt, "<!--", 4, end);
        AddContent(parent, cursor, lt, level.ChildCount());
        size_t gt;
        if (isCData || isComment) {
            gt = FindTerminator(isCData ? "]]>" : "-->", lt, end);
            gt = gt == npos ? npos : gt + 2;
        } else {
            gt = Find('>', lt, end);
        }
        if (gt == npos)
            return pending;

        if (isComment || second == '?') {
            size_t length = gt - lt;  // "<" up to, not including, the ">"
            std::string_view text = length >= 6 ? m_text.substr(lt + 4, length - 6) : std::string_view();
            if (parent)
                m_staging.comments.emplace_back(text, parent, level.ChildCount());
            else
                header.AddComment(m_arena.Make<CXmlComment>(text, nullptr, seenStartTag ? 1 : 0));
        } else if (isCData) {
            if (parent)
                m_staging.cdata.emplace_back(m_text.substr(lt + 9, gt - 2 - (lt + 9)), parent,
                                             level.ChildCount());
        } else if (second == '/') {
            if (parent && pending) {
                m_staging.children.push_back(pending);
                current = pending;
                pending = nullptr;
            }
        } else if (gt > lt + 1 && m_text[gt - 1] == '/') {
            seenStartTag = true;
            auto* element = MakeElement(parent, FindTagName(m_text.data(), lt + 1, gt), gt);
            if (parent) {
                m_staging.children.push_back(element);
                if (!current)
                    current = element;
            } else if (!current) {
                current = element;
                pending = element;
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
            pending = MakeElement(parent, FindTagName(m_text.data(), lt + 1, gt + 1), gt + 1);
            current = pending;
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
