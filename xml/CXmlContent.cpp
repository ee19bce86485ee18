#include "xml/CXmlContent.h"

#include "xml/XmlText.h"

size_t CXmlContent::GetValue(char* buffer, bool raw) const
{
    return CopyNodeText(GetText(), buffer, raw);
}

std::string CXmlContent::Value() const { return DecodeEntities(GetText()); }
