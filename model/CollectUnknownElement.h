#pragma once
#include <cstddef>

#include "exec/SplitToolOutput.h"

class CBcdObject;

// Collects the element at lines[index], whose name the catalogue does not
// know, into one item of `object`: " : CUSTOM IDENTIFIER" or
// " : UNKNOWN IDENTIFIER" is appended to its name; following single-word
// lines become further values. Leaves `index` on the first line it did not
// take (a known element, another element, or a section heading).
void CollectUnknownElement(const OutputLines& lines, size_t& index,
                           CBcdObject& object);

// Whether lines[index] is a section heading: a line followed by an
// underline (a line of dashes only). Inline: asked of every line.
inline bool IsSectionHeading(const OutputLines& lines, size_t index)
{
    if (index + 1 >= lines.size())
        return false;
    std::string_view underline = lines[index + 1];
    return !underline.empty() && underline[0] == '-' &&
           underline.find_first_not_of('-') == std::string_view::npos;
}
