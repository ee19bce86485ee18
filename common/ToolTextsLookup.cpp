#include "common/TextCompare.h"
#include "common/ToolTexts.h"

const ToolLanguage* FindToolLanguage(const std::string& name)
{
    for (size_t i = 0; i < kToolLanguageCount; ++i)
        if (EqualsNoCase(kToolLanguages[i].name, name))
            return &kToolLanguages[i];
    return nullptr;
}

const ToolLanguage& ToolTextsOf(const ToolLanguage& language)
{
    const ToolLanguage* texts = FindToolLanguage(language.toolLanguage);
    return texts ? *texts : language;
}
