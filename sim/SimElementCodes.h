#pragma once
#include <string>

// The element type code the tool knows an element by, in an object of
// `objectClass` (SimClass bits): the tool prints an object's elements in
// ascending code order. "custom:XXXXXXXX" elements carry their code in the
// name; a name of no known code sorts last.
unsigned long SimElementCode(const std::string& name, unsigned objectClass);
