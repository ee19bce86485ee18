#include "xml/CXmlDocument.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

const std::string kDecl = "<?xml version=\"1.0\"?>";

std::string ContentOf(const CXmlElement* element, size_t index = 0)
{
    if (!element || element->GetContents().size() <= index)
        return "<none>";
    return element->GetContents()[index]->Value();
}

std::vector<std::string> ChildNames(const CXmlElement* element)
{
    std::vector<std::string> names;
    for (const auto& child : element->GetChildren())
        names.push_back(child->Name());
    return names;
}

CXmlDocument Parse(const std::string& text)
{
    CXmlDocument document;
    document.LoadFromMemory(text);
    return document;
}

}  // namespace

TEST(XmlDocument, WalksEveryNodeKindInDocumentOrder)
{
    CXmlDocument doc = Parse(kDecl + "<a><b>x</b><c/>y<d>z</d></a>");
    ASSERT_EQ(doc.GetStatus(), 0);
    ASSERT_TRUE(doc.IsValid());
    CXmlElement* a = doc.GetRootElement();
    EXPECT_EQ(a->Name(), "a");
    EXPECT_EQ(a->GetParent(), nullptr);
    EXPECT_EQ(ChildNames(a), (std::vector<std::string>{"b", "c", "d"}));
    ASSERT_EQ(a->GetContents().size(), 1u);
    EXPECT_EQ(ContentOf(a), "y");
    EXPECT_EQ(a->GetContents()[0]->GetPosition(), 2);
    EXPECT_EQ(ContentOf(a->GetChild(0)), "x");
    EXPECT_EQ(ContentOf(a->GetChild(2)), "z");
    EXPECT_EQ(a->GetChild(1)->GetParent(), a);
    EXPECT_EQ(a->GetChild(3), nullptr);
    EXPECT_EQ(a->GetChild(-1), nullptr);
    EXPECT_EQ(a->IndexOfElement(a->GetChild(2)), 2);
    EXPECT_EQ(a->IndexOfElement(a), -1);

    // Comments, CDATA and attributes inside elements.
    CXmlDocument rich = Parse(kDecl +
                              "<r k=\"v\"  second = \"2\"><!-- note --><x/><![CDATA[<raw & text>]]>"
                              "<!--after--></r>");
    CXmlElement* r = rich.GetRootElement();
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->GetAttributes().size(), 2u);
    EXPECT_EQ(r->GetAttributes()[0]->GetName(), "k");
    EXPECT_EQ(r->GetAttributes()[0]->GetValue(), "v");
    EXPECT_EQ(r->GetAttributes()[1]->GetName(), "second");
    ASSERT_EQ(r->GetComments().size(), 2u);
    EXPECT_EQ(r->GetComments()[0]->GetText(), " note ");
    EXPECT_EQ(r->GetComments()[0]->GetPosition(), 0);
    EXPECT_EQ(r->GetComments()[1]->GetPosition(), 1);
    ASSERT_EQ(r->GetCData().size(), 1u);
    EXPECT_EQ(r->GetCData()[0]->GetText(), "<raw & text>");
    EXPECT_EQ(r->GetCData()[0]->GetPosition(), 1);
}

TEST(XmlDocument, HeaderHoldsDeclarationAndTopLevelComments)
{
    CXmlDocument doc = Parse(kDecl + "<!-- c1 --><a/><!-- c2 -->");
    EXPECT_EQ(doc.GetHeader()->GetDeclaration(), kDecl);
    EXPECT_EQ(doc.GetRootElement()->Name(), "a");
    const auto& comments = doc.GetHeader()->GetComments();
    ASSERT_EQ(comments.size(), 2u);
    EXPECT_EQ(comments[0]->GetText(), " c1 ");
    EXPECT_EQ(comments[0]->GetPosition(), 0);
    EXPECT_EQ(comments[1]->GetText(), " c2 ");
    EXPECT_EQ(comments[1]->GetPosition(), 1);

    // The root is the last top-level element that had an end tag.
    EXPECT_EQ(Parse(kDecl + "<first/><a></a><b></b>").GetRootElement()->Name(), "b");
    EXPECT_EQ(Parse(kDecl + "<first/><second/>").GetRootElement()->Name(), "first");
}

TEST(XmlDocument, WhiteSpaceOnlyContentIsDropped)
{
    CXmlDocument doc = Parse(kDecl + "<a>  \r\n  </a>");
    ASSERT_NE(doc.GetRootElement(), nullptr);
    EXPECT_TRUE(doc.GetRootElement()->GetContents().empty());
    EXPECT_EQ(ContentOf(Parse(kDecl + "<a>\n\t text \r\n</a>").GetRootElement()), "text");
}

TEST(XmlDocument, FindElementIsExactAndReturnsTheFirstMatch)
{
    CXmlDocument doc = Parse(kDecl + "<a>\n<Type>BCD_TYPE_STRING</Type>\n<b>1</b>\n<b>2</b>\n</a>");
    CXmlElement* a = doc.GetRootElement();
    ASSERT_NE(a->FindElement("Type"), nullptr);
    EXPECT_EQ(ContentOf(a->FindElement("Type")), "BCD_TYPE_STRING");
    EXPECT_EQ(a->FindElement("type"), nullptr);
    EXPECT_EQ(ContentOf(a->FindElement("b")), "1");
    EXPECT_EQ(a->FindElement("missing"), nullptr);
    EXPECT_EQ(a->FindElement(nullptr), nullptr);
}

TEST(XmlDocument, GetValueDecodesAndReportsLengths)
{
    CXmlDocument doc = Parse(kDecl + "<a>A &amp; B &#65;&#x42; &nbsp;C</a>");
    const CXmlContent* content = doc.GetRootElement()->GetContents()[0];
    EXPECT_EQ(content->Value(), "A & B AB &nbsp;C");
    std::vector<char> buffer(content->GetValue() + 1);
    EXPECT_EQ(content->GetValue(buffer.data()), 16u);
    EXPECT_STREQ(buffer.data(), "A & B AB &nbsp;C");
    EXPECT_EQ(content->GetValue(buffer.data(), true), content->GetText().size());
    EXPECT_STREQ(buffer.data(), "A &amp; B &#65;&#x42; &nbsp;C");

    CXmlDocument lt = Parse(kDecl + "<a>&lt;</a>");
    const CXmlContent* less = lt.GetRootElement()->GetContents()[0];
    EXPECT_EQ(less->GetValue(), 4u);
    char small[5];
    EXPECT_EQ(less->GetValue(small), 1u);
    EXPECT_STREQ(small, "<");
}

TEST(XmlDocument, ElementNamesAndAttributesFollowTheLenientRules)
{
    // One attribute: y has no double-quoted value.
    CXmlDocument doc = Parse(kDecl + "<a x = \"1\" y='2'></a>");
    CXmlElement* a = doc.GetRootElement();
    ASSERT_EQ(a->GetAttributes().size(), 1u);
    EXPECT_EQ(a->GetAttributes()[0]->GetName(), "x");
    EXPECT_EQ(a->GetAttributes()[0]->GetValue(), "1");

    // A line break does not end a name.
    CXmlDocument broken = Parse(kDecl + "<a\nb=\"1\"></a\nb>");
    EXPECT_EQ(broken.GetRootElement()->Name(), "a\nb=");

    // Names come back as written; numeric references resolved.
    CXmlDocument named = Parse(kDecl + "<r><a&b/><n&#65;/></r>");
    EXPECT_EQ(ChildNames(named.GetRootElement()), (std::vector<std::string>{"a&b", "nA"}));
    char raw[32];
    named.GetRootElement()->GetChild(0)->GetElementName(raw, true);
    EXPECT_STREQ(raw, "a&amp;b");
}

TEST(XmlDocument, LongNamesAndTextOnlyElementsReadAsShortOnes)
{
    // Names read sixteen bytes at a time: lengths around those steps, and a
    // byte the stored name encodes past the first step.
    for (size_t length : {1u, 15u, 16u, 17u, 31u, 32u, 33u}) {
        std::string name(length, 'n');
        std::string amp = name + "&b";
        CXmlDocument doc = Parse(kDecl + "<r><" + name + ">t</" + name + "><" + name + " a=\"1\"/><" + amp +
                                 ">u</" + amp + "></r>");
        CXmlElement* r = doc.GetRootElement();
        ASSERT_NE(r, nullptr) << length;
        EXPECT_EQ(ChildNames(r), (std::vector<std::string>{name, name, amp})) << length;
        EXPECT_EQ(ContentOf(r->GetChild(0)), "t");
        ASSERT_EQ(r->GetChild(1)->GetAttributes().size(), 1u);
        EXPECT_EQ(r->GetChild(1)->GetAttributes()[0]->GetValue(), "1");
        std::vector<char> raw(r->GetChild(2)->GetElementName() + 1);
        r->GetChild(2)->GetElementName(raw.data(), true);
        EXPECT_EQ(std::string(raw.data()), name + "&amp;b");
        EXPECT_EQ(ContentOf(r->GetChild(2)), "u");
    }

    // Elements holding only text, only blanks or nothing, at the top and inside.
    CXmlDocument top = Parse(kDecl + "<only>  text  </only>");
    EXPECT_EQ(ContentOf(top.GetRootElement()), "text");
    EXPECT_TRUE(top.GetRootElement()->GetChildren().empty());
    CXmlDocument inside = Parse(kDecl + "<r>a<e>   </e>b<f></f><g>c<h/></g></r>");
    CXmlElement* r = inside.GetRootElement();
    ASSERT_EQ(ChildNames(r), (std::vector<std::string>{"e", "f", "g"}));
    EXPECT_TRUE(r->GetChild(0)->GetContents().empty());
    EXPECT_TRUE(r->GetChild(1)->GetContents().empty());
    ASSERT_EQ(r->GetContents().size(), 2u);
    EXPECT_EQ(r->GetContents()[1]->GetPosition(), 1);
    EXPECT_EQ(ContentOf(r->GetChild(2)), "c");
    EXPECT_EQ(ChildNames(r->GetChild(2)), (std::vector<std::string>{"h"}));
    EXPECT_TRUE(inside.IsValid());
}

TEST(XmlDocument, ReadsUtf16LittleEndianFiles)
{
    std::string utf8 = "<?xml version=\"1.0\"?><a>caf\xC3\xA9 \xF0\x9F\x94\x91</a>";
    std::u16string wide = u"\uFEFF<?xml version=\"1.0\"?><a>caf\u00E9 \U0001F511</a>";
    std::string bytes;
    for (char16_t unit : wide) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    bytes += "X";  // an odd trailing byte is dropped
    CXmlDocument doc = Parse(bytes);
    EXPECT_EQ(doc.GetStatus(), 0);
    EXPECT_EQ(doc.GetHeader()->GetDeclaration().substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(ContentOf(doc.GetRootElement()), "caf\xC3\xA9 \xF0\x9F\x94\x91");
}

TEST(XmlDocument, MalformedShapesEndWithTheirStatus)
{
    // A start tag without an end: malformed, no root.
    CXmlDocument open = Parse(kDecl + "<a><b></a>");
    EXPECT_EQ(open.GetStatus(), 2);
    EXPECT_EQ(open.GetRootElement(), nullptr);
    EXPECT_FALSE(open.IsValid());

    // A document type declaration counts as a start tag without an end.
    EXPECT_EQ(Parse(kDecl + "<!DOCTYPE a><a></a>").GetStatus(), 2);

    // No "?>" and no "<": status 1 and an empty root named "root".
    CXmlDocument plain = Parse("just text");
    EXPECT_EQ(plain.GetStatus(), 1);
    ASSERT_NE(plain.GetRootElement(), nullptr);
    EXPECT_EQ(plain.GetRootElement()->Name(), "root");
    EXPECT_EQ(plain.GetRootElement()->GetChildrenCount(), 0);

    // No declaration but elements: status 1, parsed from the start.
    CXmlDocument bare = Parse("<a><b/></a>");
    EXPECT_EQ(bare.GetStatus(), 1);
    EXPECT_EQ(bare.GetRootElement()->GetChildrenCount(), 1);

    // Unterminated comment, CDATA or processing instruction inside an element.
    EXPECT_EQ(Parse(kDecl + "<a><!-- open</a>").GetStatus(), 2);
    EXPECT_EQ(Parse(kDecl + "<a><![CDATA[ open</a>").GetStatus(), 2);
    EXPECT_EQ(Parse(kDecl + "<a><?pi ?></a>").GetStatus(), 2);

    // Only comments at the outermost level: no root, not valid.
    CXmlDocument comments = Parse(kDecl + "<!-- only -->");
    EXPECT_EQ(comments.GetRootElement(), nullptr);
    EXPECT_FALSE(comments.IsValid());

    // Truncated inside a tag: the rest of the level is ignored.
    CXmlDocument cut = Parse(kDecl + "<a></a><b");
    EXPECT_EQ(cut.GetRootElement()->Name(), "a");
}

TEST(XmlDocument, HostileInputStaysInsideItsBuffer)
{
    // Deep nesting is cut off instead of exhausting the stack.
    std::string deep = kDecl;
    for (int i = 0; i < 20000; ++i)
        deep += "<e>";
    for (int i = 0; i < 20000; ++i)
        deep += "</e>";
    CXmlDocument nested = Parse(deep);
    EXPECT_EQ(nested.GetStatus(), 2);
    ASSERT_NE(nested.GetRootElement(), nullptr);
    int depth = 0;
    for (CXmlElement* e = nested.GetRootElement(); e; e = e->GetChild(0))
        ++depth;
    EXPECT_LE(depth, CXmlDocument::kMaxDepth);

    // An unquoted "/" in a start tag: parsing still ends.
    CXmlDocument slash = Parse(kDecl + "<a href=/x>text</a><b></b>");
    (void)slash.GetStatus();

    // NUL ends the text; stray "<" and "&" are tolerated.
    std::string withNul = kDecl + "<a>x</a>";
    withNul.insert(withNul.size() - 4, std::string("\0<b>", 4));
    EXPECT_EQ(Parse(withNul).GetStatus(), 2);
    // A stray "<" counts as a start tag: the element then has no end.
    EXPECT_EQ(Parse(kDecl + "<a>1 < 2 & &#; &#x; &#</a>").GetStatus(), 2);
    CXmlDocument amp = Parse(kDecl + "<a>1 & 2 &#; &#x; &#</a>");
    EXPECT_EQ(ContentOf(amp.GetRootElement()), "1 & 2   ");

    // A huge attribute value.
    CXmlDocument huge = Parse(kDecl + "<a v=\"" + std::string(1 << 20, 'v') + "\"></a>");
    ASSERT_EQ(huge.GetRootElement()->GetAttributes().size(), 1u);
    EXPECT_EQ(huge.GetRootElement()->GetAttributes()[0]->GetValue().size(), 1u << 20);

    // A UTF-16 mark with nothing after it.
    EXPECT_NO_FATAL_FAILURE(Parse("\xFF\xFE"));
}

TEST(XmlDocument, MissingFileGivesTheDefaultDocument)
{
    CXmlDocument doc("/nonexistent/keystave/missing.xml");
    EXPECT_EQ(doc.GetStatus(), 0);
    EXPECT_TRUE(doc.IsValid());
    EXPECT_EQ(doc.GetRootElement()->Name(), "root");
    EXPECT_EQ(doc.GetRootElement()->GetChildrenCount(), 0);
    EXPECT_EQ(doc.GetHeader()->GetDeclaration(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>");

    CXmlDocument empty;
    empty.LoadFromMemory("");
    EXPECT_EQ(empty.GetRootElement()->Name(), "root");

    // Loading again replaces everything.
    char path[] = "/tmp/ks-xml-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::FILE* file = fdopen(fd, "wb");
    std::fputs("<?xml version=\"1.0\"?><z><y/></z>", file);
    std::fclose(file);
    doc.Load(path);
    EXPECT_EQ(doc.GetRootElement()->Name(), "z");
    EXPECT_EQ(doc.GetRootElement()->GetChildrenCount(), 1);
    std::remove(path);
}
