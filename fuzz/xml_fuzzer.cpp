// Arbitrary bytes through the XML reader, then every walk the loader makes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xml/CXmlDocument.h"

namespace {

void Walk(const CXmlElement* element, size_t& total)
{
    std::vector<const CXmlElement*> pending{element};
    while (!pending.empty()) {
        const CXmlElement* e = pending.back();
        pending.pop_back();
        std::vector<char> name(e->GetElementName() + 1);
        total += e->GetElementName(name.data());
        for (const auto& content : e->GetContents()) {
            std::vector<char> buffer(content->GetValue() + 1);
            size_t length = content->GetValue(buffer.data());
            if (length > buffer.size() - 1)
                __builtin_trap();
            total += length;
        }
        e->FindElement("Type");
        for (const auto& child : e->GetChildren())
            pending.push_back(child);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CXmlDocument document;
    document.LoadFromMemory(std::string(reinterpret_cast<const char*>(data), size));
    document.IsValid();
    size_t total = 0;
    if (document.GetRootElement())
        Walk(document.GetRootElement(), total);
    return 0;
}
