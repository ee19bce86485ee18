#include "model/NewEntryPlan.h"

#include <algorithm>

#include "common/TextCompare.h"
#include "model/CBcdObject.h"
#include "model/ObjectKind.h"

const char* const kNewEntryPlaceholder = "{new entry}";

namespace {

// Stands for the new entry in the commands until the tool names it: a GUID,
// so that the commands are built and checked as they will be sent.
const char* const kPlaceholderGuid = "{00000000-0000-0000-0000-000000000000}";

// A value in quotes only when it needs them: the tool reads both.
ToolCommand SetWord(const std::string& identifier, const std::string& element, const std::string& value)
{
    return value.find(' ') == std::string::npos ? SetUnquotedCommand(identifier, element, value)
                                                : SetValueCommand(identifier, element, value);
}

std::string Program(const NewEntry& entry, const char* name)
{
    return entry.windowsFolder + "\\system32\\" + name + (entry.uefi ? ".efi" : ".exe");
}

void AddWindows(std::vector<ToolCommand>& commands, const NewEntry& entry, const std::string& id)
{
    commands.push_back(CreateEntryCommand(entry.description, "osloader"));
    std::string device = NewEntryDevice(entry);
    commands.push_back(SetWord(id, "device", device));
    commands.push_back(SetWord(id, "osdevice", device));
    commands.push_back(SetWord(id, "path", Program(entry, "winload")));
    commands.push_back(SetWord(id, "systemroot", entry.windowsFolder));
    if (!entry.locale.empty())
        commands.push_back(SetWord(id, "locale", entry.locale));
    commands.push_back(SetWord(id, "inherit", "{bootloadersettings}"));
    if (entry.addToMenu)
        commands.push_back(AddToDisplayOrderCommand(id, entry.addFirst));
}

void AddWindowsCopy(std::vector<ToolCommand>& commands, const NewEntry& entry, const std::string& id)
{
    // The tool puts a copied loader last in the menu by itself.
    commands.push_back(CopyEntryCommand("{current}", entry.description));
    if (!entry.addToMenu)
        commands.push_back(RemoveFromDisplayOrderCommand("{bootmgr}", id));
    else if (entry.addFirst)
        commands.push_back(AddToDisplayOrderCommand(id, true));
}

void AddBootSector(std::vector<ToolCommand>& commands, const NewEntry& entry, const std::string& id)
{
    commands.push_back(CreateEntryCommand(entry.description, "bootsector"));
    commands.push_back(SetWord(id, "device", NewEntryDevice(entry)));
    commands.push_back(SetWord(id, "path", entry.bootFile));
    if (entry.addToMenu)
        commands.push_back(AddToDisplayOrderCommand(id, entry.addFirst));
}

void AddResume(std::vector<ToolCommand>& commands, const NewEntry& entry, const std::string& id)
{
    commands.push_back(CreateEntryCommand(entry.description, "resume"));
    std::string device = NewEntryDevice(entry);
    commands.push_back(SetWord(id, "device", device));
    commands.push_back(SetWord(id, "path", Program(entry, "winresume")));
    commands.push_back(SetWord(id, "filedevice", device));
    commands.push_back(SetWord(id, "filepath", "\\hiberfil.sys"));
    commands.push_back(SetWord(id, "inherit", "{resumeloadersettings}"));
    commands.push_back(SetWord(entry.forEntry, "resumeobject", id));
}

bool IsVolume(const std::string& drive, const std::vector<std::string>& volumes)
{
    return std::any_of(volumes.begin(), volumes.end(), [&](const std::string& v) { return EqualsNoCase(v, drive); });
}

std::string CheckDrive(const std::string& drive, const std::vector<std::string>& volumes)
{
    if (drive.empty())
        return "Choose the partition.";
    if (!IsVolume(drive, volumes))
        return drive + " is not a fixed drive of this PC.";
    return {};
}

// A path inside a partition: "\grub.bin", "\Windows".
std::string CheckInnerPath(const std::string& path, const char* what)
{
    if (path.size() < 2 || path[0] != '\\')
        return std::string("The ") + what + " begins with a backslash: \\Windows, \\grub.bin.";
    if (path.back() == '\\' || path.find_first_of("\"*?<>|:") != std::string::npos)
        return std::string("The ") + what + " \"" + path + "\" is not a valid path.";
    for (unsigned char c : path)
        if (c < 0x20)
            return std::string("The ") + what + " holds a control character.";
    return {};
}

}  // namespace

bool StoreIsUefi(const CBcdObject* bootManager)
{
    return bootManager && EndsWithNoCase(bootManager->FirstValueOf("path"), ".efi");
}

std::string NewEntryDevice(const NewEntry& entry)
{
    if (!entry.vhdFile.empty() && entry.kind == NewEntryKind::Windows)
        return "vhd=[" + entry.vhdFile.substr(0, 2) + "]" + entry.vhdFile.substr(2);
    return "partition=" + entry.drive;
}

std::vector<ToolCommand> NewEntryCommands(const NewEntry& entry, const std::string& identifier)
{
    std::vector<ToolCommand> commands;
    switch (entry.kind) {
    case NewEntryKind::Windows: AddWindows(commands, entry, identifier); break;
    case NewEntryKind::WindowsCopy: AddWindowsCopy(commands, entry, identifier); break;
    case NewEntryKind::BootSector: AddBootSector(commands, entry, identifier); break;
    case NewEntryKind::Resume: AddResume(commands, entry, identifier); break;
    }
    return commands;
}

std::vector<std::string> NewEntryPreview(const NewEntry& entry)
{
    std::vector<std::string> lines;
    for (const ToolCommand& command : NewEntryCommands(entry, kPlaceholderGuid)) {
        if (!command.ok) {
            lines.push_back("(not sent: " + command.reason + ")");
            continue;
        }
        std::string text = command.arguments;
        for (size_t at; (at = text.find(kPlaceholderGuid)) != std::string::npos;)
            text.replace(at, std::string(kPlaceholderGuid).size(), kNewEntryPlaceholder);
        lines.push_back(text);
    }
    return lines;
}

std::string CheckNewEntryDescription(const std::string& description)
{
    if (description.find_first_not_of(' ') == std::string::npos)
        return "Type a description: it names the entry in the boot menu.";
    if (description.find('"') != std::string::npos)
        return "The description cannot hold a double quote.";
    for (unsigned char c : description)
        if (c < 0x20 || c == 0x7f)
            return "The description holds a control character.";
    if (description.back() == '\\')
        return "The description cannot end with a backslash.";
    return {};
}

std::string CheckNewWindows(const NewEntry& entry, const std::vector<std::string>& volumes, const FileExists& exists)
{
    std::string problem = CheckNewEntryDescription(entry.description);
    if (!problem.empty() || entry.kind == NewEntryKind::WindowsCopy)
        return problem;
    if (!entry.vhdFile.empty()) {
        const std::string& file = entry.vhdFile;
        if (!EndsWithNoCase(file, ".vhd") && !EndsWithNoCase(file, ".vhdx"))
            return "A virtual disk file ends in .vhd or .vhdx.";
        if (file.size() < 4 || file[1] != ':' || file[2] != '\\' || file.find('"') != std::string::npos)
            return "Give the virtual disk file with its drive: C:\\VHDs\\Windows.vhdx.";
        if (!exists || !exists(file))
            return "The file " + file + " does not exist.";
    } else {
        problem = CheckDrive(entry.drive, volumes);
        if (!problem.empty())
            return problem;
    }
    return FirstNonEmpty({CheckInnerPath(entry.windowsFolder, "Windows folder"),
                    entry.locale.find_first_of(" \"") != std::string::npos ? "The locale is one word: en-US."
                                                                            : std::string()});
}

std::string CheckNewBootSector(const NewEntry& entry, const std::vector<std::string>& volumes,
                               const FileExists& exists)
{
    std::string problem = FirstNonEmpty({CheckNewEntryDescription(entry.description), CheckDrive(entry.drive, volumes),
                                   CheckInnerPath(entry.bootFile, "boot sector file")});
    if (!problem.empty())
        return problem;
    if (!exists || !exists(entry.drive + entry.bootFile))
        return "There is no file " + entry.bootFile + " on " + entry.drive + ".";
    return {};
}

std::string CheckNewResume(const NewEntry& entry, const std::vector<std::string>& volumes)
{
    if (entry.forEntry.empty())
        return "Choose the Windows entry that resumes from hibernation.";
    return FirstNonEmpty({CheckNewEntryDescription(entry.description), CheckDrive(entry.drive, volumes),
                    CheckInnerPath(entry.windowsFolder, "Windows folder")});
}

std::vector<const CBcdObject*> EntriesWithoutResume(const std::vector<const CBcdObject*>& windows,
                                                    const std::function<bool(const std::string&)>& entryExists)
{
    std::vector<const CBcdObject*> found;
    for (const CBcdObject* entry : windows) {
        if (entry->GetKind() != ObjectKind::Loader)
            continue;
        const CBcdItem* resume = entry->FindItem("resumeobject");
        if (!resume || resume->GetValueCount() == 0 || !entryExists || !entryExists(resume->GetValue(0)))
            found.push_back(entry);
    }
    return found;
}

NewEntryOutcome MakeNewEntry(const CWritePath& writer, const NewEntry& entry)
{
    NewEntryOutcome outcome;
    std::vector<ToolCommand> commands = NewEntryCommands(entry, kPlaceholderGuid);
    auto failed = [&](const ToolCommand& command, const WriteResult& result) {
        outcome.failedCommand = command.ok ? command.arguments : std::string();
        outcome.words = !command.ok ? std::vector<std::string>{command.reason}
                        : !result.sent ? std::vector<std::string>{kNotSentWithoutBackup}
                                       : result.lines;
    };
    bool copy = entry.kind == NewEntryKind::WindowsCopy;
    WriteResult first = writer.Run(commands.front(), copy ? AnswerKind::Copy : AnswerKind::Create);
    if (!first.succeeded) {
        failed(commands.front(), first);
        return outcome;
    }
    outcome.sent = 1;
    outcome.identifier = copy ? first.copiedIdentifier : first.createdIdentifier;
    if (outcome.identifier.empty()) {
        outcome.failedCommand = commands.front().arguments;
        outcome.words = {"BCDEDIT.EXE made the entry but did not name it, so nothing more was sent to it. "
                         "\"Show all entries\" lists it."};
        return outcome;
    }
    commands = NewEntryCommands(entry, outcome.identifier);
    for (size_t i = 1; i < commands.size(); ++i) {
        WriteResult result = writer.Run(commands[i]);
        if (result.succeeded) {
            ++outcome.sent;
            continue;
        }
        failed(commands[i], result);
        // Nothing half-made stays: the entry goes again, with what names it.
        bool deleted = writer.Run(DeleteEntryCommand(outcome.identifier)).succeeded;
        outcome.rolledBack = deleted;
        outcome.rollbackFailed = !deleted;
        return outcome;
    }
    outcome.made = true;
    return outcome;
}
