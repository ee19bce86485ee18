#include "model/CLineTokenizer.h"

#include <gtest/gtest.h>

TEST(LineTokenizer, CutsAtBlanksOnly)
{
    CLineTokenizer tokenizer("  displayorder      {abc}", " ");
    std::string_view token;
    ASSERT_TRUE(tokenizer.NextToken(token));
    EXPECT_EQ(token, "displayorder");
    EXPECT_EQ(tokenizer.Rest(), "{abc}");
    // Rest does not move: the next token is what Rest began with.
    ASSERT_TRUE(tokenizer.NextToken(token));
    EXPECT_EQ(token, "{abc}");
    EXPECT_FALSE(tokenizer.NextToken(token));
    EXPECT_EQ(token, "");
    EXPECT_EQ(tokenizer.Rest(), "");

    CLineTokenizer tabs("a\tb c", " ");
    ASSERT_TRUE(tabs.NextToken(token));
    EXPECT_EQ(token, "a\tb");
}

TEST(LineTokenizer, RestKeepsInnerAndTrailingBlanks)
{
    CLineTokenizer tokenizer("description             My  OS  ", " ");
    std::string_view token;
    tokenizer.NextToken(token);
    EXPECT_EQ(tokenizer.Rest(), "My  OS  ");

    CLineTokenizer blanks("     ", " ");
    EXPECT_FALSE(blanks.NextToken(token));
    EXPECT_EQ(blanks.Rest(), "");
    CLineTokenizer empty("", " ");
    EXPECT_FALSE(empty.NextToken(token));

    CLineTokenizer several("a,b;;c", ",;");
    std::string parts;
    while (several.NextToken(token))
        parts += "[" + std::string(token) + "]";
    EXPECT_EQ(parts, "[a][b][c]");
}
