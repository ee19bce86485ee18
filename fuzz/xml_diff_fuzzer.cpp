// The XML reader against the reader it replaced, kept as an oracle while
// the two are compared: the same bytes must give the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/XmlTreeText.h"
#include "fuzz/oldxml/CXmlDocument.h"
#include "xml/CXmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CXmlDocument document;
    document.LoadFromMemory(text);
    oldxml::CXmlDocument oracle;
    oracle.LoadFromMemory(text);
    std::string now = DocumentTreeText(document), before = DocumentTreeText(oracle);
    if (now != before) {
        std::fprintf(stderr, "--- oracle\n%s--- reader\n%s", before.c_str(), now.c_str());
        __builtin_trap();
    }
    return 0;
}
