#pragma once
#include <string>

// What the visual-styles decision looks at, gathered once at start.
struct ThemeFacts {
    bool commonControlsVersionKnown = false;
    unsigned commonControlsMajor = 0;
    unsigned commonControlsMinor = 0;
    std::string colorSchemeName;  // empty when the theme library gives none
    bool appThemed = false;
    bool themeLibraryLoaded = false;
};

// Styled drawing only with common controls exactly 6.0, one of the classic
// colour schemes ("normalcolor", "homestead", "metallic", any case), a themed
// application and the theme library present; plain 3D drawing otherwise.
bool ShouldUseVisualStyles(const ThemeFacts& facts);
