#include "model/CollectUnknownElement.h"

#include <vector>

#include "catalogue/ElementCatalogue.h"
#include "model/CBcdObject.h"
#include "model/CLineTokenizer.h"

void CollectUnknownElement(const OutputLines& lines, size_t& index,
                           CBcdObject& object)
{
    CLineTokenizer tokenizer(lines[index], " ");
    std::string_view first;
    tokenizer.NextToken(first);
    std::string name(first);
    bool custom = name.size() >= 7 && name.compare(0, 7, "custom:") == 0;
    name += custom ? " : CUSTOM IDENTIFIER" : " : UNKNOWN IDENTIFIER";
    std::string_view value = tokenizer.Rest();

    // Single words on the lines after it are further values of a list.
    std::vector<std::string_view> more;
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
        more.push_back(word);
    }
    CBcdItem item;
    if (more.empty())
        item.SetUnknownValue(name);
    else
        item.SetUnknownEnum(name);
    item.AddValue(value);
    for (std::string_view word : more)
        item.AddValue(word);
    object.AddItem(std::move(item));
}
