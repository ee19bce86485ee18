#include "model/AddPropertyPlan.h"

#include "catalogue/BcdType.h"
#include "catalogue/ElementCatalogue.h"
#include "catalogue/ValueSet.h"
#include "common/TextCompare.h"
#include "model/CBcdObject.h"

const char* const kFileNameHasPath = "Invalid File Name. No Path can be present.";

AddPropertyInput InputForType(int type)
{
    switch (type) {
    case BCD_TYPE_GUID:
    case BCD_TYPE_DEFAULTGUID:
        return AddPropertyInput::None;
    case BCD_TYPE_LOCALE:
    case BCD_TYPE_STRING:
    case BCD_TYPE_PARTITION:
    case BCD_TYPE_DIRECTORY:
    case BCD_TYPE_FILE:
        return AddPropertyInput::Text;
    case BCD_TYPE_INTEGER:
    case BCD_TYPE_INTEGERLIST:
        return AddPropertyInput::Number;
    default:
        return ValueSetFor(type) ? AddPropertyInput::Choice : AddPropertyInput::Unsupported;
    }
}

std::vector<const ElementDefinition*> OfferedDefinitions(const CBcdObject& object,
                                                         uint16_t contexts)
{
    std::vector<const ElementDefinition*> offered;
    const ElementCatalogue& catalogue = ElementCatalogue::Instance();
    for (int index = 0; index < ElementCatalogue::kMaxDefinitions; ++index) {
        const ElementDefinition* definition = catalogue.Record(index);
        if (!definition || !definition->hasName)
            break;
        if ((definition->contexts & contexts) == 0 || !definition->modifiable)
            continue;
        // An element the window has no input for would be sent empty.
        AddPropertyInput input = InputForType(definition->type);
        if (input == AddPropertyInput::None || input == AddPropertyInput::Unsupported)
            continue;
        bool present = false;
        for (const auto& item : object.GetItems())
            present = present || EqualsNoCase(item.GetName(), definition->name);
        if (!present)
            offered.push_back(definition);
    }
    return offered;
}

ToolCommand AddPropertyCommand(const std::string& identifier, const ElementDefinition& definition,
                               const AddPropertyValues& values)
{
    std::string value;
    switch (InputForType(definition.type)) {
    case AddPropertyInput::Text:
        if (definition.type == BCD_TYPE_FILE && values.text.find('\\') != std::string::npos) {
            ToolCommand refused;
            refused.reason = kFileNameHasPath;
            return refused;
        }
        value = values.text;
        break;
    case AddPropertyInput::Number:
        value = std::to_string(values.number);
        if (definition.type == BCD_TYPE_INTEGERLIST)
            return SetListCommand(identifier, definition.name, {value});
        break;
    case AddPropertyInput::Choice:
        value = values.choice;
        break;
    default:
        break;
    }
    if (value.empty()) {
        ToolCommand refused;
        refused.reason = std::string("Enter a value for ") + definition.name + ": an element is never added empty.";
        return refused;
    }
    return SetValueCommand(identifier, definition.name, value);
}
