#include "xml/CXmlContent.h"

#include "xml/XmlText.h"

size_t CXmlContent::GetValue(char* buffer, bool raw) const
{
    return CopyNodeText(m_text, buffer, raw);
}

std::string CXmlContent::Value() const { return DecodeEntities(m_text); }
