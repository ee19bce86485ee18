#pragma once
#include <functional>
#include <string>

// Turns the program's compiled-in UTF-8 texts into the code page the tool's
// output is read in. Identity until the program installs the conversion of
// its system (tests read UTF-8 samples as they are).
using TextEncoder = std::function<std::string(const std::string& utf8)>;
void SetTextEncoder(TextEncoder encoder);
std::string FromUtf8(const std::string& utf8);
