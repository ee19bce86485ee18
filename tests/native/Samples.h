#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exec/SplitToolOutput.h"

// A published output sample, with the CR LF line ends the tool writes.
inline std::string ReadSample(const std::string& name)
{
    std::ifstream file(std::string(KEYSTAVE_SAMPLES_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return NormalizeLineEnds(text.str());
}

// Lines as the tool prints them, each ended with CR LF.
inline std::string CrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
