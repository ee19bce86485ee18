#include "model/ObjectKind.h"

#include "common/TextCompare.h"
#include "common/ToolTexts.h"
#include "exec/ToolWords.h"
#include "model/CLineTokenizer.h"
#include "model/CollectUnknownElement.h"

namespace {

struct WellKnown {
    const char* alias;
    const char* guid;
};
const WellKnown kWellKnown[] = {
    {"{bootmgr}", "{9dea862c-5cdd-4e70-acc1-f32b344d4795}"},
    {"{fwbootmgr}", "{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}"},
    {"{memdiag}", "{b2721d73-1db4-4c62-bf78-c548a880142d}"},
    {"{ntldr}", "{466f5a88-0af2-4f76-9038-095b170dc21c}"},
};

// The value of the section's element `name` (its first line is read as the
// identifier, whatever its label), up to the next section; empty if none.
std::string SectionValue(const OutputLines& lines, size_t heading, std::string_view name)
{
    for (size_t i = heading + 2; i < lines.size(); ++i) {
        if (IsSectionHeading(lines, i))
            break;
        CLineTokenizer tokenizer(lines[i], " ");
        std::string_view label;
        if (!tokenizer.NextToken(label))
            break;
        bool identifier = i == heading + 2 && name == "identifier";
        if (identifier || EqualsNoCase(label, name))
            return TrimBlanks(tokenizer.Rest());
    }
    return {};
}

ObjectKind KindByContent(const OutputLines& lines, size_t heading)
{
    std::string identifier = SectionIdentifier(lines, heading);
    std::string path = SectionValue(lines, heading, "path");
    if (IsBootManagerId(identifier))
        return ObjectKind::BootManager;
    if (IsFirmwareManagerId(identifier))
        return ObjectKind::FirmwareManager;
    if (SameIdentifier(identifier, "{ntldr}") || EqualsNoCase(path, "\\ntldr"))
        return ObjectKind::LegacyLoader;
    if (SameIdentifier(identifier, "{memdiag}") || EndsWithNoCase(path, "memtest.exe") ||
        EndsWithNoCase(path, "memtest.efi"))
        return ObjectKind::MemoryTester;
    if (EndsWithNoCase(path, "winload.exe") || EndsWithNoCase(path, "winload.efi"))
        return ObjectKind::Loader;
    if (EndsWithNoCase(path, "winresume.exe") || EndsWithNoCase(path, "winresume.efi"))
        return ObjectKind::Resume;
    return ObjectKind::Other;
}

}  // namespace

std::string SectionIdentifier(const OutputLines& lines, size_t heading)
{
    return SectionValue(lines, heading, "identifier");
}

ObjectKind KindOfSection(const OutputLines& lines, size_t heading)
{
    if (heading >= lines.size())
        return ObjectKind::Other;
    switch (ToolHeadingOf(lines[heading])) {
    case kHeadingBootManager:
        return ObjectKind::BootManager;
    case kHeadingBootLoader:
        return ObjectKind::Loader;
    case kHeadingLegacyOsLoader:
        return ObjectKind::LegacyLoader;
    case kHeadingRealmodeBootSector:
        return ObjectKind::BootSector;
    case kHeadingMemoryTester:
        return ObjectKind::MemoryTester;
    case kHeadingResume:
        return ObjectKind::Resume;
    case kHeadingBootApplication:
        return ObjectKind::BootApplication;
    case kHeadingFirmwareBootManager:
        return ObjectKind::FirmwareManager;
    case kHeadingFirmwareApplication:
        return ObjectKind::FirmwareApp;
    case -1:
        return KindByContent(lines, heading);
    default:
        return ObjectKind::Other;
    }
}

const char* ObjectKindWord(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::BootManager: return "bootmanager";
    case ObjectKind::Loader: return "loader";
    case ObjectKind::LegacyLoader: return "legacyloader";
    case ObjectKind::BootSector: return "bootsector";
    case ObjectKind::MemoryTester: return "memorytester";
    case ObjectKind::Resume: return "resume";
    case ObjectKind::FirmwareManager: return "firmwaremanager";
    case ObjectKind::FirmwareApp: return "firmwareapp";
    case ObjectKind::BootApplication:
    case ObjectKind::Other: break;
    }
    return "other";
}

const char* ObjectKindLabel(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::BootManager: return "Boot manager";
    case ObjectKind::Loader: return "Windows";
    case ObjectKind::LegacyLoader: return "Earlier Windows";
    case ObjectKind::BootSector: return "Boot sector";
    case ObjectKind::MemoryTester: return "Memory tester";
    case ObjectKind::Resume: return "Resume";
    case ObjectKind::BootApplication: return "Boot application";
    case ObjectKind::FirmwareManager: return "Firmware boot manager";
    case ObjectKind::FirmwareApp: return "Firmware";
    case ObjectKind::Other: break;
    }
    return "Settings";
}

bool StartsFromMenu(ObjectKind kind)
{
    return IsLoaderKind(kind) || kind == ObjectKind::BootSector || kind == ObjectKind::MemoryTester ||
           kind == ObjectKind::BootApplication;
}

bool CanBeCloned(ObjectKind kind)
{
    return IsLoaderKind(kind) || kind == ObjectKind::BootSector || kind == ObjectKind::MemoryTester;
}

std::string_view CanonicalIdentifier(std::string_view identifier)
{
    for (const WellKnown& known : kWellKnown)
        if (EqualsNoCase(identifier, known.alias))
            return known.guid;
    return identifier;
}

bool SameIdentifier(std::string_view a, std::string_view b)
{
    return EqualsNoCase(CanonicalIdentifier(a), CanonicalIdentifier(b));
}

bool IsBootManagerId(std::string_view identifier) { return SameIdentifier(identifier, "{bootmgr}"); }

bool IsFirmwareManagerId(std::string_view identifier) { return SameIdentifier(identifier, "{fwbootmgr}"); }
