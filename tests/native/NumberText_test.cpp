#include <gtest/gtest.h>

#include "common/NumberText.h"

TEST(NumberText, AnUnsignedFieldTakesDigitsOnlyAndKeepsTheLastNumberOtherwise)
{
    uint32_t value = 7;
    EXPECT_TRUE(ParseUnsignedNumber("0", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(ParseUnsignedNumber(" 4294967295 ", value));
    EXPECT_EQ(value, 4294967295u) << "the whole unsigned range, never a negative form";
    for (const char* refused : {"", "   ", "-1", "+5", "12a", "0x10", "1 2", "4294967296",
                                "99999999999999999999999"}) {
        value = 31;
        EXPECT_FALSE(ParseUnsignedNumber(refused, value)) << "'" << refused << "'";
        EXPECT_EQ(value, 31u) << "the last accepted number stays, after '" << refused << "'";
    }
    EXPECT_STREQ(kUnsignedNumberMessage, "Please enter a positive integer.");
}
