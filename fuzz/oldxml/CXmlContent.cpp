#include "fuzz/oldxml/CXmlContent.h"

#include "fuzz/oldxml/XmlText.h"

namespace oldxml {

size_t CXmlContent::GetValue(char* buffer, bool raw) const
{
    return CopyNodeText(GetText(), buffer, raw);
}

std::string CXmlContent::Value() const { return DecodeEntities(GetText()); }

}  // namespace oldxml
