#pragma once
#include <string>
#include <vector>

#include "exec/ToolCommand.h"

class CBcdObject;
class CStoreModel;

// One entry of the firmware's boot menu.
struct FirmwareMenuEntry {
    const CBcdObject* object = nullptr;
    std::string identifier;  // as the listing prints it
    std::string description, device, path;
    int place = 0;              // 1-based in the menu; 0: listed, not in the menu
    bool oneTime = false;       // the firmware's choice for the next start only
    bool bootManager = false;   // {bootmgr}: what starts Windows, never deleted
    std::string duplicateOf;    // the entry it repeats (description, device, path alike)
    int duplicatePlace = 0;     // that entry's place in the menu, 0 when not in it
};

// The firmware's boot menu as "/enum firmware /v" lists it.
struct FirmwareMenu {
    // False on a PC started in BIOS mode (or a store without one): the
    // firmware has no menu of its own.
    bool hasManager = false;
    std::string managerId;             // as printed: "{fwbootmgr}" or its GUID
    std::vector<std::string> order;    // displayorder as printed
    std::string oneTime;               // bootsequence, empty when none is pending
    std::string timeout;
    std::vector<FirmwareMenuEntry> entries;  // the menu's order, then the rest
};

extern const char* const kBiosModeText;

// The firmware menu from a model that read the firmware's listing.
FirmwareMenu ReadFirmwareMenu(const CStoreModel& model);

// Its rows' note: "Starts Windows", "Duplicate of #1" (or of an identifier
// out of the menu), "Next start only", "Not in the menu".
std::string FirmwareEntryNote(const FirmwareMenuEntry& entry);

// What may be done to an entry: deleting {bootmgr} (what the PC starts
// Windows from) is never offered.
bool CanDeleteFirmwareEntry(const FirmwareMenuEntry& entry);
std::string DeleteFirmwareEntryQuestion(const FirmwareMenuEntry& entry);

// The menu in a new order: one "/set {fwbootmgr} displayorder ..." naming
// every entry of the old order; refused when the new order is not the
// old one rearranged, or nothing moved.
ToolCommand FirmwareOrderCommand(const FirmwareMenu& menu, const std::vector<std::string>& newOrder);
ToolCommand FirmwareOneTimeCommand(const FirmwareMenu& menu, const std::string& identifier);
ToolCommand CancelFirmwareOneTimeCommand();
ToolCommand RemoveFromFirmwareMenuCommand(const FirmwareMenuEntry& entry);
