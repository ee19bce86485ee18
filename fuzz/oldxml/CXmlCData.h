#pragma once
#include "fuzz/oldxml/CXmlTextNode.h"

namespace oldxml {

// One CDATA section: the characters between its markers, unchanged.
class CXmlCData : public CXmlTextNode {
public:
    using CXmlTextNode::CXmlTextNode;
};

}  // namespace oldxml
