#include "exec/SplitToolOutput.h"

#include <cstring>

std::vector<std::string> SplitToolOutput(const std::string& text)
{
    std::vector<std::string> lines;
    const char* data = text.data();
    const size_t size = text.size();
    size_t start = 0;
    // Each line is built once, from its bounds.
    for (size_t at = 0; at < size;) {
        const void* found = std::memchr(data + at, '\r', size - at);
        if (!found)
            break;
        size_t cr = static_cast<size_t>(static_cast<const char*>(found) - data);
        if (cr + 1 < size && data[cr + 1] == '\n') {
            if (cr > start)
                lines.emplace_back(data + start, cr - start);
            start = cr + 2;
            at = start;
        } else {
            at = cr + 1;  // a lone CR stays in its line
        }
    }
    return lines;
}

std::vector<std::string> SplitOutputLines(const std::string& text)
{
    std::vector<std::string> lines;
    const char* data = text.data();
    const size_t size = text.size();
    for (size_t start = 0; start < size;) {
        const void* found = std::memchr(data + start, '\n', size - start);
        if (!found)
            break;
        size_t lf = static_cast<size_t>(static_cast<const char*>(found) - data);
        size_t end = lf > start && data[lf - 1] == '\r' ? lf - 1 : lf;
        if (end > start)
            lines.emplace_back(data + start, end - start);
        start = lf + 1;
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
