#include "xml/XmlText.h"

#include <gtest/gtest.h>

TEST(XmlText, DecodesNamedAndNumericReferences)
{
    EXPECT_EQ(DecodeEntities("&amp;&quot;&apos;&lt;&gt;"), "&\"'<>");
    EXPECT_EQ(DecodeEntities("&#65;&#x42;&#X43;"), "ABC");
    EXPECT_EQ(DecodeEntities("&#233;"), "\xC3\xA9");
    EXPECT_EQ(DecodeEntities("&#x20AC;"), "\xE2\x82\xAC");
    // Modulo 65536: one UTF-16 code unit; 65601 = 65536 + 65.
    EXPECT_EQ(DecodeEntities("&#65601;"), "A");
    // Exactly one character after the digits is skipped, whatever it is.
    EXPECT_EQ(DecodeEntities("&#65x"), "A");
    EXPECT_EQ(DecodeEntities("&#65"), "A");
    // No digits: nothing inserted, the ";" still skipped.
    EXPECT_EQ(DecodeEntities("a&#;b"), "ab");
    EXPECT_EQ(DecodeEntities("a&#"), "a");
    // Unknown references and lone ampersands stay.
    EXPECT_EQ(DecodeEntities("&nbsp; & &amp"), "&nbsp; & &amp");
    // Overlong digit runs do not overflow.
    EXPECT_EQ(DecodeEntities("&#" + std::string(400, '9') + ";").size() <= 3, true);
    // Lone surrogates become U+FFFD; a NUL reference inserts nothing.
    EXPECT_EQ(DecodeEntities("&#xD800;"), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeEntities("a&#0;b"), "ab");
}

TEST(XmlText, EncodesForStorageAndRoundTrips)
{
    EXPECT_EQ(EncodeEntities("a&b<c>\"d'"), "a&amp;b&lt;c&gt;&quot;d&apos;");
    EXPECT_EQ(EncodeEntities("&#65;"), "&#65;");
    for (const char* text : {"plain", "a & b", "<tag>", "\"q\" 'a'", "&amp;"})
        EXPECT_EQ(DecodeEntities(EncodeEntities(text)), text);
}

TEST(XmlText, StoredLengthNeverUnderstatesTheDecodedText)
{
    for (const char* text : {"&#128;", "&#2048;", "&#xFFFF", "&#xD800", "&lt;", "x&#1"}) {
        char buffer[64];
        size_t stored = CopyNodeText(text, nullptr, false);
        EXPECT_LE(CopyNodeText(text, buffer, false), stored) << text;
    }
}
