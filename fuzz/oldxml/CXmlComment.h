#pragma once
#include "fuzz/oldxml/CXmlTextNode.h"

namespace oldxml {

// One comment (or a processing instruction met after the declaration).
class CXmlComment : public CXmlTextNode {
public:
    using CXmlTextNode::CXmlTextNode;
};

}  // namespace oldxml
