#include "exec/SplitToolOutput.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(SplitToolOutput, CutsAtCrLfAndDropsBlankLines)
{
    EXPECT_EQ(SplitToolOutput("A\r\n\r\nB\r\n"), (Lines{"A", "B"}));
    EXPECT_EQ(SplitToolOutput("\r\n\r\nA\r\n"), (Lines{"A"}));
    EXPECT_TRUE(SplitToolOutput("").empty());
    EXPECT_TRUE(SplitToolOutput("\r\n\r\n").empty());
}

TEST(SplitToolOutput, TextAfterTheLastLineEndIsLost)
{
    EXPECT_EQ(SplitToolOutput("A\r\nB"), (Lines{"A"}));
    EXPECT_TRUE(SplitToolOutput("no line end at all").empty());
}

TEST(SplitToolOutput, LoneCrAndLfStayInsideTheLine)
{
    EXPECT_EQ(SplitToolOutput("A\rB\r\n"), (Lines{"A\rB"}));
    EXPECT_EQ(SplitToolOutput("A\nB\r\n"), (Lines{"A\nB"}));
    // CR CR LF, as a text-mode writer would produce, keeps one CR.
    EXPECT_EQ(SplitToolOutput("A\r\r\n"), (Lines{"A\r"}));
}

TEST(SplitToolOutput, LinesOfSpacesSurvive)
{
    EXPECT_EQ(SplitToolOutput("A\r\n   \r\nB\r\n"), (Lines{"A", "   ", "B"}));
}

TEST(SplitToolOutput, NormalizeLineEndsRestoresCrBeforeBareLf)
{
    EXPECT_EQ(NormalizeLineEnds("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(NormalizeLineEnds("\n"), "\r\n");
    EXPECT_EQ(SplitToolOutput(NormalizeLineEnds("A\n\nB\n")), (Lines{"A", "B"}));
}

namespace {
// The cutting as it was written first, character by character: the
// reference for the faster one.
std::vector<std::string> ReferenceSplit(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            if (!current.empty())
                lines.push_back(current);
            current.clear();
            ++i;
            continue;
        }
        current += text[i];
    }
    return lines;
}
}  // namespace

TEST(SplitToolOutput, CutsEveryTextAsTheCharacterByCharacterReadingDid)
{
    // Every text of up to seven characters over the bytes that matter, and
    // longer random ones.
    const char alphabet[] = {'a', '\r', '\n', ' '};
    std::vector<std::string> texts{""};
    for (size_t length = 1; length <= 7; ++length) {
        size_t count = 1;
        for (size_t i = 0; i < length; ++i)
            count *= 4;
        for (size_t n = 0; n < count; ++n) {
            std::string text;
            for (size_t i = 0, k = n; i < length; ++i, k /= 4)
                text += alphabet[k % 4];
            texts.push_back(text);
        }
    }
    unsigned seed = 12345;
    for (int n = 0; n < 2000; ++n) {
        std::string text;
        for (int i = 0; i < 200; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % 4];
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        ASSERT_EQ(SplitToolOutput(text), ReferenceSplit(text)) << testing::PrintToString(text);
        std::vector<std::string> lines = SplitOutputLines(text);
        ASSERT_EQ(lines, ReferenceSplit(NormalizeLineEnds(text))) << testing::PrintToString(text);
        OutputLines views = SplitOutputLineViews(text);
        ASSERT_EQ(std::vector<std::string>(views.begin(), views.end()), lines) << testing::PrintToString(text);
    }
}
