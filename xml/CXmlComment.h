#pragma once
#include "xml/CXmlTextNode.h"

// One comment (or a processing instruction met after the declaration).
class CXmlComment : public CXmlTextNode {
public:
    using CXmlTextNode::CXmlTextNode;
};
