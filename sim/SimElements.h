#pragma once
#include <string>

enum class SimFormat {
    Device,
    String,
    Object,
    ObjectList,
    Integer,
    HexInteger,
    Boolean,
    IntegerList,
    Enum,
};

struct SimElementInfo {
    const char* name;
    SimFormat format;
    unsigned classes;   // SimClass bits where the element may be set
    const char* words;  // Enum only: the accepted words, as printed, '|' separated
};

// Known element by name (case-insensitive); "custom:XXXXXXXX" elements get
// their format from the element code, as the tool derives it. Null when unknown.
const SimElementInfo* FindSimElement(const std::string& name);

// Checks a value typed for an element and gives it the form the tool prints.
// False with the tool's words in `error` when the value is not acceptable.
bool NormalizeSimValue(const SimElementInfo& info, const std::string& value, std::string& out,
                       std::string& error);
bool IsListFormat(SimFormat format);
