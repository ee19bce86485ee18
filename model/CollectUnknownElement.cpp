#include "model/CollectUnknownElement.h"

#include "catalogue/ElementCatalogue.h"
#include "model/CBcdObject.h"
#include "model/CLineTokenizer.h"

bool IsSectionHeading(const OutputLines& lines, size_t index)
{
    if (index + 1 >= lines.size())
        return false;
    std::string_view underline = lines[index + 1];
    return !underline.empty() && underline[0] == '-' &&
           underline.find_first_not_of('-') == std::string_view::npos;
}

void CollectUnknownElement(const OutputLines& lines, size_t& index,
                           CBcdObject& object)
{
    CLineTokenizer tokenizer(lines[index], " ");
    std::string_view first;
    tokenizer.NextToken(first);
    std::string name(first);
    bool custom = name.size() >= 7 && name.compare(0, 7, "custom:") == 0;
    name += custom ? " : CUSTOM IDENTIFIER" : " : UNKNOWN IDENTIFIER";
    CBcdItem item;
    item.SetUnknownValue(name);
    item.AddValue(tokenizer.Rest());

    for (++index; index < lines.size(); ++index) {
        // A heading of another section, even a one-word one, ends the element.
        if (IsSectionHeading(lines, index))
            break;
        CLineTokenizer next(lines[index], " ");
        std::string_view word;
        if (!next.NextToken(word))
            continue;
        if (ElementCatalogue::Instance().IsKnownName(word))
            break;
        if (next.Rest().find_last_not_of(" \t") != std::string_view::npos)
            break;
        item.SetUnknownEnum(item.GetName());
        item.AddValue(word);
    }
    object.AddItem(std::move(item));
}
