#pragma once
#include <string>

struct ToolLanguage;

// The simulator's English answer (UTF-8, CR LF lines) as a Windows in
// `language` prints it: the tool's headings, identifier label, copy sentence
// and error sentences in the tool's language, the system's success and
// failure lines in the language pack's own. Element names and values stay.
std::string TranslateSimOutput(const std::string& english, const ToolLanguage& language);
