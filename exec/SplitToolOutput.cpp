#include "exec/SplitToolOutput.h"

#include <cstring>

#include "common/ByteSearch.h"

std::vector<std::string> SplitToolOutput(const std::string& text)
{
    return SplitToolOutputUntil(text, nullptr);
}

std::vector<std::string> SplitToolOutputUntil(const std::string& text,
                                              const std::function<bool(const std::string&)>& enough)
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
            if (cr > start) {
                lines.emplace_back(data + start, cr - start);
                if (enough && enough(lines.back()))
                    break;
            }
            start = cr + 2;
            at = start;
        } else {
            at = cr + 1;  // a lone CR stays in its line
        }
    }
    return lines;
}

namespace {
// Calls `add(begin, length)` for each non-empty line ending with LF or CR LF.
template <class Add>
void ForEachOutputLine(const std::string& text, Add add)
{
    const char* data = text.data();
    const size_t size = text.size();
    for (size_t start = 0; start < size;) {
        size_t lf = FindByte(data, start, size, '\n');
        if (lf == size)
            break;
        size_t end = lf > start && data[lf - 1] == '\r' ? lf - 1 : lf;
        if (end > start)
            add(data + start, end - start);
        start = lf + 1;
    }
}
}  // namespace

std::vector<std::string> SplitOutputLines(const std::string& text)
{
    std::vector<std::string> lines;
    ForEachOutputLine(text, [&](const char* begin, size_t length) { lines.emplace_back(begin, length); });
    return lines;
}

OutputLines SplitOutputLineViews(const std::string& text)
{
    OutputLines lines;
    // Listings run to about forty bytes a line: one guess saves most regrowth.
    lines.reserve(text.size() / 32);
    ForEachOutputLine(text, [&](const char* begin, size_t length) { lines.emplace_back(begin, length); });
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
