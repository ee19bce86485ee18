#pragma once
#include <cstddef>
#include <string>

#include "fuzz/oldxml/CXmlTextNode.h"

namespace oldxml {

// One run of character data inside an element, trimmed of surrounding white
// space and stored as written (references undecoded).
class CXmlContent : public CXmlTextNode {
public:
    using CXmlTextNode::CXmlTextNode;

    // No buffer: the stored length; otherwise writes the decoded (or, with
    // raw, the stored) text with a terminating NUL and returns its length.
    size_t GetValue(char* buffer = nullptr, bool raw = false) const;
    // The decoded text, for callers that do not want a buffer of their own.
    std::string Value() const;
};

}  // namespace oldxml
