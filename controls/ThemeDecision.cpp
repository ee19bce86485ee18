#include "controls/ThemeDecision.h"

#include "common/TextCompare.h"

bool ShouldUseVisualStyles(const ThemeFacts& facts)
{
    if (!facts.commonControlsVersionKnown || facts.commonControlsMajor != 6 ||
        facts.commonControlsMinor != 0)
        return false;
    static const char* const kSchemes[] = {"normalcolor", "homestead", "metallic"};
    bool classicScheme = false;
    for (const char* scheme : kSchemes)
        classicScheme = classicScheme || EqualsNoCase(facts.colorSchemeName, scheme);
    return classicScheme && facts.appThemed && facts.themeLibraryLoaded;
}
