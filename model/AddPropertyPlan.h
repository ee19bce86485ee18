#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/ElementDefinition.h"
#include "exec/ToolCommand.h"

class CBcdObject;

// The one input the add-property window shows for a value type.
enum class AddPropertyInput { None, Text, Number, Choice, Unsupported };
AddPropertyInput InputForType(int type);

// The catalogue's definitions offered for adding to `object`: of one of the
// `contexts`, modifiable, and not yet among the object's elements (names
// compared without regard to case), and with an input for its value type
// (no GUID-valued or unsupported types); in catalogue order.
std::vector<const ElementDefinition*> OfferedDefinitions(const CBcdObject& object,
                                                         uint16_t contexts);

// What the user entered in the window's inputs.
struct AddPropertyValues {
    std::string text;
    uint32_t number = 0;
    std::string choice;
};

extern const char* const kFileNameHasPath;

// The "/set" that adds the element: one value quoted, as the property
// windows send it (a number list unquoted), the number as the unsigned
// number typed. A file name with a path, and an empty value, are refused
// with their messages.
ToolCommand AddPropertyCommand(const std::string& identifier, const ElementDefinition& definition,
                               const AddPropertyValues& values);
