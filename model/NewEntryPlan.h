#pragma once
#include <functional>
#include <string>
#include <vector>

#include "exec/CWritePath.h"
#include "exec/ToolCommand.h"

class CBcdObject;

// What the create-entry wizard's pages collect.
enum class NewEntryKind {
    Windows,      // a Windows on a partition or in a VHD/VHDX file
    WindowsCopy,  // a copy of the Windows that is running now
    BootSector,   // a real-mode boot sector file (GRUB, another system)
    Resume,       // the resume-from-hibernation entry of a Windows entry
};

struct NewEntry {
    NewEntryKind kind = NewEntryKind::Windows;
    std::string description;
    std::string drive;                      // "D:": the partition of Windows, the boot sector or resume
    std::string vhdFile;                    // "C:\VHDs\win.vhdx": Windows in a VHD instead of a partition
    std::string windowsFolder = "\\Windows";
    std::string locale;                     // empty: none set
    std::string bootFile;                   // "\grub.bin"
    std::string forEntry;                   // the Windows entry a resume entry belongs to
    bool addToMenu = true;
    bool addFirst = false;
    bool uefi = true;                       // the loader files' forms: .efi, or .exe on BIOS
};

// What the new entry's identifier stands for until the tool names it.
extern const char* const kNewEntryPlaceholder;  // "{new entry}"

// Whether the store starts in UEFI mode: the boot manager's path ends in
// ".efi" (a BIOS boot manager is \bootmgr, or has no path).
bool StoreIsUefi(const CBcdObject* bootManager);

// The device element's value: "partition=D:", or "vhd=[C:]\VHDs\win.vhdx".
std::string NewEntryDevice(const NewEntry& entry);

// The commands, in the order they are sent, with `identifier` for the new
// entry (the first command creates it, or copies {current}).
std::vector<ToolCommand> NewEntryCommands(const NewEntry& entry, const std::string& identifier);
// The same as the preview shows them: "{new entry}" for the identifier.
std::vector<std::string> NewEntryPreview(const NewEntry& entry);

// Why a page's fields cannot make an entry (empty when they can). Volumes are
// the fixed drives ("C:", "D:"); `exists` says whether a file exists.
using FileExists = std::function<bool(const std::string& path)>;
std::string CheckNewEntryDescription(const std::string& description);
std::string CheckNewWindows(const NewEntry& entry, const std::vector<std::string>& volumes, const FileExists& exists);
std::string CheckNewBootSector(const NewEntry& entry, const std::vector<std::string>& volumes,
                               const FileExists& exists);
std::string CheckNewResume(const NewEntry& entry, const std::vector<std::string>& volumes);

// The Windows entries a resume entry can be made for: those whose
// "resumeobject" is missing or names an entry that `entryExists` does not know.
std::vector<const CBcdObject*> EntriesWithoutResume(const std::vector<const CBcdObject*>& windows,
                                                    const std::function<bool(const std::string&)>& entryExists);

// Sends the commands through one write path. When one fails after the entry
// was made, the entry is deleted again ("/DELETE {id} /cleanup"): nothing
// half-made stays in the store.
struct NewEntryOutcome {
    bool made = false;
    std::string identifier;            // the new entry, once the tool named it
    size_t sent = 0;                   // commands the tool confirmed
    std::string failedCommand;         // the command that was not made
    std::vector<std::string> words;    // its words, or why it was not sent
    bool rolledBack = false;           // the half-made entry was deleted again
    bool rollbackFailed = false;       // ... or that failed too: the entry is left
};
NewEntryOutcome MakeNewEntry(const CWritePath& writer, const NewEntry& entry);
