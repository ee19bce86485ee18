// Arbitrary definitions files through the catalogue loader and its lookups.
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/ElementCatalogue.h"
#include "common/UserNotice.h"
#include "xml/CXmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (SetNoticeSink([](const std::string&, NoticeKind) {}), true);
    (void)quiet;
    CXmlDocument document;
    document.LoadFromMemory(std::string(reinterpret_cast<const char*>(data), size));
    LoadElementCatalogueFrom(document, "keystavedata.xml");
    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    catalogue.Identify("displayorder");
    catalogue.IsKnownName("custom:250000c2");
    for (int i = 0; i < catalogue.Count(); ++i)
        catalogue.Identify(catalogue.Record(i)->name);
    FreeElementCatalogue();
    return 0;
}
