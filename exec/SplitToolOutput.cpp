#include "exec/SplitToolOutput.h"

std::vector<std::string> SplitToolOutput(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '\r' && i + 1 < size && text[i + 1] == '\n') {
            if (!current.empty()) {
                lines.push_back(current);
                current.clear();
            }
            ++i;
            continue;
        }
        current += text[i];
    }
    return lines;
}

std::string NormalizeLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}
