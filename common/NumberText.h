#pragma once
#include <cstdint>
#include <string>

// An unsigned 32-bit decimal number as a user typed it: digits only, with
// blanks around them allowed. False for empty text, any other character, or
// a number above 4294967295; `value` is then left as it was.
bool ParseUnsignedNumber(const std::string& text, uint32_t& value);

// The standard message for a field that must hold such a number.
extern const char* const kUnsignedNumberMessage;
