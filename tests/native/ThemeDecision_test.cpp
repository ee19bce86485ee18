#include "controls/ThemeDecision.h"

#include <gtest/gtest.h>

TEST(ThemeDecision, StylesOnlyForCommonControlsSixZeroAndAClassicScheme)
{
    ThemeFacts facts;
    facts.commonControlsVersionKnown = true;
    facts.commonControlsMajor = 6;
    facts.commonControlsMinor = 0;
    facts.colorSchemeName = "NormalColor";
    facts.appThemed = true;
    facts.themeLibraryLoaded = true;
    EXPECT_TRUE(ShouldUseVisualStyles(facts));
    for (const char* scheme : {"homestead", "METALLIC"}) {
        facts.colorSchemeName = scheme;
        EXPECT_TRUE(ShouldUseVisualStyles(facts)) << scheme;
    }

    ThemeFacts newer = facts;
    newer.commonControlsMinor = 10;  // 6.10: plain drawing
    EXPECT_FALSE(ShouldUseVisualStyles(newer));
    ThemeFacts older = facts;
    older.commonControlsMajor = 5;
    older.commonControlsMinor = 82;
    EXPECT_FALSE(ShouldUseVisualStyles(older));
    ThemeFacts unknown = facts;
    unknown.commonControlsVersionKnown = false;
    EXPECT_FALSE(ShouldUseVisualStyles(unknown));

    ThemeFacts aero = facts;
    aero.colorSchemeName = "Aero";
    EXPECT_FALSE(ShouldUseVisualStyles(aero));
    ThemeFacts none = facts;
    none.colorSchemeName.clear();
    EXPECT_FALSE(ShouldUseVisualStyles(none));
    ThemeFacts unthemed = facts;
    unthemed.appThemed = false;
    EXPECT_FALSE(ShouldUseVisualStyles(unthemed));
    ThemeFacts noLibrary = facts;
    noLibrary.themeLibraryLoaded = false;
    EXPECT_FALSE(ShouldUseVisualStyles(noLibrary));
}
