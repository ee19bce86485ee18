#include "controls/GridColumns.h"

#include <gtest/gtest.h>

TEST(GridColumns, WidthsAreSixtyFourthsAndTheLastTakesTheRest)
{
    // A list 258 pixels wide: W = 256; 24/64 of it, then the rest less 2.
    std::vector<GridColumn> columns = LayOutGridColumns(258, {24, 40}, 2);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0].width, 96);
    EXPECT_TRUE(columns[0].centred);
    EXPECT_EQ(columns[1].width, 158);
    EXPECT_FALSE(columns[1].centred);

    // Three columns: column 1 left-aligned, the others centred.
    columns = LayOutGridColumns(642, {10, 30, 24}, 3);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].width, 100);
    EXPECT_EQ(columns[1].width, 300);
    EXPECT_EQ(columns[2].width, 640 - 400 - 2);
    EXPECT_TRUE(columns[0].centred);
    EXPECT_FALSE(columns[1].centred);
    EXPECT_TRUE(columns[2].centred);

    // Integer division towards zero; fewer titles than widths.
    columns = LayOutGridColumns(102, {1, 63}, 1);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].width, 100 - 0 - 2) << "a lone title is the last one";
    columns = LayOutGridColumns(102, {1, 63}, 2);
    EXPECT_EQ(columns[0].width, 1);
    EXPECT_EQ(columns[1].width, 100 - 1 - 2);
    EXPECT_TRUE(LayOutGridColumns(300, {}, 0).empty());
}
