#pragma once
#include <cstdint>
#include <string>

// Context bits: where an element belongs.
enum ElementContext : uint16_t {
    kContextManager = 1,
    kContextLoader = 2,
    kContextDebugger = 4,
};

// One record of the element catalogue. A record without a name is empty;
// lookups stop at the first empty record.
struct ElementDefinition {
    bool hasName = false;
    std::string name;
    uint8_t multiValues = 0;
    int32_t type = 0;
    uint16_t contexts = 0;
    uint8_t modifiable = 0;

    void Clear() { *this = ElementDefinition(); }
};
