#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "xml/CXmlCData.h"
#include "xml/CXmlComment.h"
#include "xml/CXmlContent.h"

class CXmlArena;
class CXmlDocument;
class CXmlElement;

// Parses loaded text into a document's header and tree. Every scan is
// bounded by the range it was given, so no input reads outside the text.
//
// Where an element ends is decided by a nesting count over the tags that
// follow it, and a level of the tree is read up to that end. For a well-formed
// text the two agree tag by tag, and one forward walk with a stack of open
// elements builds the tree. Markup on which they could disagree (a
// processing instruction inside the text, a "/" inside a tag, a "<" inside
// an end tag, an unclosed element, nesting past the limit) sends the text
// to the level-by-level reading instead: there, one walk with a stack first
// finds the end of every tag, and each level then reads its own bytes once.
// A tag that walk did not step on gets a walk of its own from there.
class CXmlParser {
public:
    CXmlParser(CXmlDocument& document, std::string_view text, CXmlArena& arena);

    // The root: the last top-level element that had an end tag, or else the
    // first top-level empty-element tag; null when there is none.
    CXmlElement* ParseTopLevel(size_t begin);

    // Just past the ">" of the end tag matching the start tag at `lt`, by
    // nesting count alone; npos when there is none before `end`.
    size_t FindElementEnd(size_t lt, size_t end);

private:
    struct TagEnd {
        uint32_t tag;  // the "<"
        uint32_t end;  // just past the matching end, or kNoEnd
    };
    static constexpr uint32_t kNoEnd = 0xFFFFFFFFu;

    // Nodes of the levels being read: each level keeps the part from its
    // start marks on, and hands it to its element when it is done.
    struct Staging {
        std::vector<CXmlElement*> children;
        std::vector<CXmlComment> comments;
        std::vector<CXmlContent> contents;
        std::vector<CXmlCData> cdata;
    };
    class Level;
    struct Marks;
    Marks MarkLevel() const;
    void FinishLevel(CXmlElement* parent, const Marks& marks);

    // The one-walk reading; false when the text needs the level-by-level one.
    // A start tag's name: it begins past the tag's "<"s and ends at the
    // first blank, tab, "/", ">" or quote, or at the end of the tag.
    // `mayBeEncoded`: it holds a byte the stored name writes as a reference.
    struct TagName {
        size_t begin, end;
        bool mayBeEncoded;
    };
    // The name of the tag whose first "<" is just before `from`, within [from, end).
    static TagName FindTagName(const char* data, size_t from, size_t end);
    // The element of a start tag whose attributes end before `tagEnd`.
    CXmlElement* MakeElement(CXmlElement* parent, const TagName& name, size_t tagEnd);

    bool ParseInOneWalk(size_t begin, CXmlElement*& root);
    size_t NextMarkup(size_t from, std::string_view& between) const;
    size_t EndTagClose(size_t lt) const;
    CXmlElement* ParseLevel(CXmlElement* parent, size_t begin, size_t end, int depth);
    void WalkTags(size_t from, std::vector<TagEnd>& ends) const;
    uint32_t EndOfTag(size_t lt);
    size_t Find(char c, size_t from, size_t end) const;
    size_t TagStop(size_t from, size_t end) const;
    size_t FindTerminator(const char* what, size_t from, size_t end) const;
    bool StartsAt(size_t at, const char* what, size_t length, size_t end) const;
    void AddContent(CXmlElement* owner, size_t begin, size_t end, int position);
    // The text between two points, without white space at either end.
    std::string_view Trimmed(size_t begin, size_t end) const;

    CXmlDocument& m_document;
    std::string_view m_text;
    CXmlArena& m_arena;
    Staging m_staging;
    std::vector<TagEnd> m_ends;  // the first walk's tags, in text order
    size_t m_nextEnd = 0;        // where the next lookup starts in m_ends
    std::unordered_map<uint32_t, uint32_t> m_otherEnds;  // tags of further walks
    bool m_walked = false;
};
