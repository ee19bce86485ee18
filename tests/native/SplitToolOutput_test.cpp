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
