#include <string>
#include <vector>

#include "catalogue/BcdType.h"
#include "catalogue/ElementCatalogue.h"
#include "catalogue/OleSeam.h"
#include "common/TextCompare.h"
#include "common/UserNotice.h"
#include "xml/CXmlDocument.h"

namespace {

bool Fail(const char* path, const std::string& what)
{
    ShowNotice("Error: " + std::string(path) + " file " + what, NoticeKind::Error);
    return false;
}

// The decoded character content of a field element; empty when it has none.
std::string FieldText(const CXmlElement* field)
{
    if (field->GetContents().empty())
        return {};
    const CXmlContent& content = *field->GetContents().front();
    std::vector<char> buffer(content.GetValue() + 1);
    content.GetValue(buffer.data());
    return buffer.data();
}

bool FieldIsTrue(const CXmlElement* field) { return EqualsNoCase(FieldText(field), "true"); }

// Reads definition `index` into its record; the first fault it meets is
// reported, in the order the fields are read.
bool ReadDefinition(const char* path, const CXmlElement* definition, int index,
                    ElementDefinition& record)
{
    const CXmlElement* name = definition->FindElement("IdentifierName");
    if (!name)
        return Fail(path, "is corrupt (No IdentifierName).");
    std::string text = FieldText(name);
    if (index == ElementCatalogue::kUnknownValue && !EqualsNoCase(text, "unknownvalue"))
        return Fail(path, "is corrupt (unknownvalue not first).");
    if (index == ElementCatalogue::kUnknownEnum && !EqualsNoCase(text, "unknownenum"))
        return Fail(path, "is corrupt (unknownenum not first).");
    record.hasName = true;
    record.name = text;

    const CXmlElement* multi = definition->FindElement("MultiValues");
    if (!multi)
        return Fail(path, "is corrupt (No MultiValues).");
    record.multiValues = FieldIsTrue(multi) ? 1 : 0;

    const CXmlElement* type = definition->FindElement("Type");
    if (!type)
        return Fail(path, "is corrupt (No Type).");
    int value = BcdTypeFromName(FieldText(type).c_str());
    if (value < 0)
        return Fail(path, "is corrupt (Invalid Type).");
    record.type = value;

    uint16_t contexts = 0;
    static const struct {
        const char* field;
        const char* missing;
        uint16_t bit;
    } kContexts[] = {
        {"Manager", "is corrupt (No Manager).", kContextManager},
        {"Loader", "is corrupt (No Loader).", kContextLoader},
        {"Debugger", "is corrupt (No Debugger).", kContextDebugger},
    };
    for (const auto& context : kContexts) {
        const CXmlElement* field = definition->FindElement(context.field);
        if (!field)
            return Fail(path, context.missing);
        if (FieldIsTrue(field))
            contexts |= context.bit;
    }
    record.contexts = contexts;

    const CXmlElement* modifiable = definition->FindElement("Modifiable");
    if (!modifiable)
        return Fail(path, "is corrupt (No Modifiable).");
    record.modifiable = FieldIsTrue(modifiable) ? 1 : 0;
    return true;
}

}  // namespace

bool LoadElementCatalogue(const char* path)
{
    ElementCatalogue::Instance().Clear();
    InitializeOleForThread();
    CXmlDocument document(path);
    // The document reads a missing file as an empty one; the user should
    // hear that it is missing, not that it has no children.
    if (!document.FileFound())
        return Fail(path ? path : "", "could not be opened.");
    return LoadElementCatalogueFrom(document, path);
}

std::string ChooseDefinitionsPath(const std::string& name, const std::string& programFolder,
                                  const std::function<bool(const std::string&)>& exists)
{
    if (exists(name) || programFolder.empty())
        return name;
    char last = programFolder.back();
    std::string beside = programFolder + (last == '\\' || last == '/' ? "" : "\\") + name;
    return exists(beside) ? beside : name;
}

bool LoadElementCatalogueFrom(const CXmlDocument& document, const char* path)
{
    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    catalogue.Clear();
    if (document.GetStatus() == CXmlDocument::kMalformed || !document.IsValid())
        return Fail(path, "is corrupt (or not an xml file).");
    const CXmlElement* root = document.GetRootElement();
    int count = root->GetChildrenCount();
    if (count == 0)
        return Fail(path, "does not have any children.");
    // One record must stay empty: it ends every lookup.
    if (count > ElementCatalogue::kMaxDefinitions)
        return Fail(path, "is corrupt (more than " + std::to_string(ElementCatalogue::kMaxDefinitions) +
                              " definitions).");
    for (int i = 0; i < count; ++i)
        if (!ReadDefinition(path, root->GetChild(i), i, *catalogue.MutableRecord(i)))
            return false;
    return true;
}
