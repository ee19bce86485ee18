#pragma once
#include "xml/CXmlTextNode.h"

// One CDATA section: the characters between its markers, unchanged.
class CXmlCData : public CXmlTextNode {
public:
    using CXmlTextNode::CXmlTextNode;
};
