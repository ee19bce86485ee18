#include "model/FirmwareMenu.h"

#include <algorithm>
#include <map>

#include "common/TextCompare.h"
#include "model/CStoreModel.h"
#include "model/EntryMarks.h"
#include "model/ObjectKind.h"

const char* const kBiosModeText = "This PC starts in BIOS mode: the firmware has no boot menu of its own.";

namespace {

// Commands name it so, whichever spelling the listing printed.
const char* const kFirmwareManager = "{fwbootmgr}";

FirmwareMenuEntry EntryOf(const CBcdObject& object)
{
    FirmwareMenuEntry entry;
    entry.object = &object;
    entry.identifier = object.GetIdentifier();
    entry.description = object.GetDescription();
    entry.device = object.FirstValueOf("device");
    entry.path = object.FirstValueOf("path");
    entry.bootManager = IsBootManagerId(entry.identifier);
    return entry;
}

std::string DuplicateKey(const FirmwareMenuEntry& entry)
{
    return ToLowerAscii(entry.description) + '\n' + ToLowerAscii(entry.device) + '\n' + ToLowerAscii(entry.path);
}

// Entries alike in description, device and path: each but one is marked as
// repeating it. {bootmgr} is the one kept when it is among them, else the
// first in the menu.
void MarkDuplicates(std::vector<FirmwareMenuEntry>& entries)
{
    std::map<std::string, size_t> keeper;
    for (size_t i = 0; i < entries.size(); ++i) {
        auto [at, added] = keeper.emplace(DuplicateKey(entries[i]), i);
        if (!added && entries[i].bootManager && !entries[at->second].bootManager)
            at->second = i;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t kept = keeper[DuplicateKey(entries[i])];
        if (kept != i) {
            entries[i].duplicateOf = entries[kept].identifier;
            entries[i].duplicatePlace = entries[kept].place;
        }
    }
}

bool SameOrderRearranged(std::vector<std::string> a, std::vector<std::string> b)
{
    if (a.size() != b.size())
        return false;
    for (auto* list : {&a, &b})
        for (std::string& id : *list)
            id = ToLowerAscii(std::string(CanonicalIdentifier(id)));
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

}  // namespace

FirmwareMenu ReadFirmwareMenu(const CStoreModel& model)
{
    FirmwareMenu menu;
    const CBcdObject* manager = nullptr;
    for (const CBcdObject* object : model.GetListedObjects())
        if (object->GetKind() == ObjectKind::FirmwareManager || IsFirmwareManagerId(object->GetIdentifier())) {
            manager = object;
            break;
        }
    if (!manager)
        return menu;
    menu.hasManager = true;
    menu.managerId = manager->GetIdentifier();
    if (const CBcdItem* order = manager->FindItem("displayorder"))
        menu.order = order->GetValues();
    menu.oneTime = manager->FirstValueOf("bootsequence");
    menu.timeout = manager->FirstValueOf("timeout");
    std::vector<const CBcdObject*> shown;
    for (const std::string& identifier : menu.order) {
        CBcdObject* object = model.FindEntry(identifier);
        if (!object || std::find(shown.begin(), shown.end(), object) != shown.end())
            continue;
        shown.push_back(object);
        menu.entries.push_back(EntryOf(*object));
        menu.entries.back().place = static_cast<int>(menu.entries.size());
    }
    for (const CBcdObject* object : model.GetListedObjects()) {
        if (object == manager || std::find(shown.begin(), shown.end(), object) != shown.end())
            continue;
        menu.entries.push_back(EntryOf(*object));
    }
    for (FirmwareMenuEntry& entry : menu.entries)
        entry.oneTime = !menu.oneTime.empty() && SameIdentifier(entry.identifier, menu.oneTime);
    MarkDuplicates(menu.entries);
    return menu;
}

std::string FirmwareEntryNote(const FirmwareMenuEntry& entry)
{
    std::vector<std::string> notes;
    if (entry.bootManager)
        notes.push_back("Starts Windows");
    if (!entry.duplicateOf.empty())
        notes.push_back("Duplicate of " + (entry.duplicatePlace > 0 ? "#" + std::to_string(entry.duplicatePlace)
                                                                   : entry.duplicateOf));
    if (entry.oneTime)
        notes.push_back("Next start only");
    if (entry.place == 0)
        notes.push_back("Not in the menu");
    return JoinNotes(notes);
}

bool CanDeleteFirmwareEntry(const FirmwareMenuEntry& entry) { return !entry.bootManager && !entry.identifier.empty(); }

std::string DeleteFirmwareEntryQuestion(const FirmwareMenuEntry& entry)
{
    return "Delete the firmware entry " + EntryName(entry.description, entry.identifier) +
           " from the store?\n\nThe firmware may add entries for its devices (USB sticks, network cards, "
           "drives) back by itself at the next start.";
}

ToolCommand FirmwareOrderCommand(const FirmwareMenu& menu, const std::vector<std::string>& newOrder)
{
    ToolCommand refused;
    if (!menu.hasManager) {
        refused.reason = kBiosModeText;
        return refused;
    }
    if (!SameOrderRearranged(menu.order, newOrder)) {
        refused.reason = "The new order does not hold the same entries as the firmware's menu.";
        return refused;
    }
    if (newOrder == menu.order) {
        refused.reason = "The order is unchanged.";
        return refused;
    }
    return SetListCommand(kFirmwareManager, "displayorder", newOrder);
}

ToolCommand FirmwareOneTimeCommand(const FirmwareMenu& menu, const std::string& identifier)
{
    if (!menu.hasManager) {
        ToolCommand refused;
        refused.reason = kBiosModeText;
        return refused;
    }
    return SetListCommand(kFirmwareManager, "bootsequence", {identifier});
}

ToolCommand RemoveFromFirmwareMenuCommand(const FirmwareMenuEntry& entry)
{
    return RemoveFromDisplayOrderCommand(kFirmwareManager, entry.identifier);
}

ToolCommand CancelFirmwareOneTimeCommand()
{
    return DeleteValueCommand(kFirmwareManager, "bootsequence");
}
