#pragma once
#include <string_view>

// Whether the text is a GUID in braces, as the tool prints identifiers:
// "{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}" (hex digits in either case).
bool IsBracedGuidText(std::string_view text);
