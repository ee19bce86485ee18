#pragma once
#include <string>
#include <vector>

// The tool every command goes to, started by bare name.
extern const char* const kToolName;
// Size of the runner's command-line buffer, terminating NUL included.
constexpr size_t kCommandLineBufferSize = 1024;


// What a built command does to one element or entry, so that what the
// store shows afterwards can be checked against it.
struct ElementChange {
    enum Kind { None, Set, Removed, EntryDeleted };
    Kind kind = None;
    std::string identifier;
    std::string element;
    std::vector<std::string> values;
};

// One argument string for BCDEDIT.EXE, or the reason it was not built.
// Windows never format a command themselves: they ask for one here and
// show `reason` when `ok` is false.
struct ToolCommand {
    bool ok = false;
    std::string arguments;
    std::string reason;
    ElementChange change;
};

ToolCommand EnumStoreCommand();
ToolCommand DebugSettingsCommand();
// Every object of the store, and the firmware's boot menu.
ToolCommand EnumAllCommand();
ToolCommand EnumFirmwareCommand();
// The boot manager's entry for the next start only.
ToolCommand BootSequenceCommand(const std::string& identifier);
// A new application entry: "/create /d "..." /application osloader".
ToolCommand CreateEntryCommand(const std::string& description, const std::string& application);
// An entry put first or last in the boot manager's menu.
ToolCommand AddToDisplayOrderCommand(const std::string& identifier, bool first);
// One entry out of a menu's display order; the entry itself stays.
ToolCommand RemoveFromDisplayOrderCommand(const std::string& manager, const std::string& identifier);
// With "/v": without it the tool names well-known entries ({current},
// {bootmgr}, {ntldr}) instead of their GUIDs.
ToolCommand EnumObjectCommand(const std::string& identifier);
ToolCommand DeleteEntryCommand(const std::string& identifier);
ToolCommand CopyEntryCommand(const std::string& identifier, const std::string& description);
ToolCommand SetValueCommand(const std::string& identifier, const std::string& element,
                            const std::string& value);
ToolCommand SetListCommand(const std::string& identifier, const std::string& element,
                           const std::vector<std::string>& values);
ToolCommand SetUnquotedCommand(const std::string& identifier, const std::string& element,
                               const std::string& value);
ToolCommand DeleteValueCommand(const std::string& identifier, const std::string& element);
// The loader the running system booted from, with its identifier spelled out:
// without "/v" the tool would print "{current}" for it.
ToolCommand EnumCurrentCommand();
// A copy of the whole store into a file, and the store replaced by one.
ToolCommand ExportStoreCommand(const std::string& path);
ToolCommand ImportStoreCommand(const std::string& path);

// Optional tail of the debugger connection commands.
struct DebugOptions {
    std::string startPolicy;  // empty: no "/start"
    bool noUmex = false;
};
ToolCommand DebugSerialCommand(const std::string& port, const std::string& baudRate,
                               const DebugOptions& options);
ToolCommand DebugUsbCommand(const std::string& targetName, const DebugOptions& options);
ToolCommand Debug1394Command(const std::string& channel, const DebugOptions& options);
// An empty key lets the tool make one up (it prints it as "Key=...").
ToolCommand DebugNetCommand(const std::string& hostIp, const std::string& port,
                            const std::string& key, const DebugOptions& options);
ToolCommand DebugLocalCommand(const DebugOptions& options);

// Which store every command names: a store file (a repaired PC's, a
// virtual disk's), or this PC's own with an empty path. Every command built
// afterwards begins with /store "<path>". A path with a quote or a control
// character, one that ends with a backslash, or one too long for a command
// is refused and the store in use stays; an accepted choice gives the
// listing to read it with.
ToolCommand UseStoreFile(const std::string& path);
const std::string& StoreFileInUse();
// The store file a program's command line names: the argument after
// "/store" (any case); empty when there is none.
std::string StoreFileArgument(const std::vector<std::string>& arguments);
// A command as the tool's first word judges it: without the store's part,
// whichever store file it names.
std::string WithoutStorePart(const std::string& arguments);
extern const char* const kNoCurrentInStoreFile;
extern const char* const kNoExportForStoreFile;

// Whether "BCDEDIT.EXE" + blank + arguments + NUL fits the runner's buffer.
bool FitsCommandLine(const std::string& arguments);
