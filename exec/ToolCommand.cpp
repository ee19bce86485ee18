#include "exec/ToolCommand.h"

#include <cstring>

#include "common/TextCompare.h"

const char* const kToolName = "BCDEDIT.EXE";
const char* const kNoCurrentInStoreFile =
    "A store file has no Windows running from it: {current} names nothing there.";
const char* const kNoExportForStoreFile =
    "BCDEDIT.EXE exports and imports only this PC's own store: a store file is backed up by copying the file.";

namespace {

bool HasControlCharacter(const std::string& text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7f)
            return true;
    return false;
}

// Identifiers and element names travel unquoted: a blank or a quote in one
// would split it into further arguments of the tool.
std::string CheckWord(const std::string& word, const char* what)
{
    if (word.empty())
        return std::string("The ") + what + " is empty.";
    if (HasControlCharacter(word) || word.find_first_of(" \"") != std::string::npos)
        return std::string("The ") + what + " \"" + word +
               "\" contains a blank, a double quote or a control character.";
    return {};
}

// A double quote would end a quoted value early, or start one in an unquoted
// value: either lets the rest reach the tool as further arguments.
std::string CheckValueText(const std::string& value)
{
    if (value.find('"') != std::string::npos)
        return "The value contains a double quote, which cannot be passed to " +
               std::string(kToolName) + ".";
    if (HasControlCharacter(value))
        return "The value contains a control character.";
    return {};
}

// Inside quotes, a backslash in front of the closing quote would escape it.
std::string CheckQuotedValue(const std::string& value)
{
    if (!value.empty() && value.back() == '\\' && value.find('"') == std::string::npos)
        return "The value ends with a backslash, which cannot be passed to " +
               std::string(kToolName) + " inside quotes.";
    return CheckValueText(value);
}

std::string CheckListValue(const std::string& value)
{
    if (value.empty())
        return "The list holds an empty value.";
    if (HasControlCharacter(value) || value.find_first_of(" \"") != std::string::npos)
        return "The list value \"" + value +
               "\" contains a blank, a double quote or a control character.";
    return {};
}

ToolCommand Refused(const std::string& reason)
{
    ToolCommand command;
    command.reason = reason;
    return command;
}

// The store file every command names; empty for this PC's own store.
std::string& StoreFile()
{
    static std::string path;
    return path;
}

std::string StorePart(const std::string& path) { return "/store \"" + path + "\" "; }

// The one place a command is finished: it names the store file in use, and
// it must fit the runner's buffer with it.
ToolCommand Built(const std::string& arguments)
{
    std::string full = StoreFile().empty() ? arguments : StorePart(StoreFile()) + arguments;
    if (!FitsCommandLine(full))
        return Refused("The command is too long for " + std::string(kToolName) + " (" +
                       std::to_string(full.size()) + " characters).");
    ToolCommand command;
    command.ok = true;
    command.arguments = full;
    return command;
}

ToolCommand WithChange(ToolCommand command, ElementChange::Kind kind, const std::string& identifier,
                       const std::string& element, std::vector<std::string> values = {})
{
    if (command.ok) {
        command.change.kind = kind;
        command.change.identifier = identifier;
        command.change.element = element;
        command.change.values = std::move(values);
    }
    return command;
}

std::string CheckPath(const std::string& path)
{
    if (path.empty())
        return "The file name is empty.";
    if (HasControlCharacter(path) || path.find('"') != std::string::npos)
        return "The file name \"" + path + "\" contains a double quote or a control character.";
    if (path.back() == '\\')
        return "The file name \"" + path + "\" ends with a backslash: it names a folder.";
    return {};
}

ToolCommand WithDebugOptions(const std::string& head, const DebugOptions& options)
{
    std::string arguments = head;
    if (!options.startPolicy.empty()) {
        std::string problem = CheckWord(options.startPolicy, "start policy");
        if (!problem.empty())
            return Refused(problem);
        arguments += " /start " + options.startPolicy;
    }
    if (options.noUmex)
        arguments += " /noumex";
    return Built(arguments);
}

}  // namespace

bool FitsCommandLine(const std::string& arguments)
{
    return std::strlen(kToolName) + 1 + arguments.size() + 1 <= kCommandLineBufferSize;
}

ToolCommand EnumStoreCommand() { return Built("/ENUM /V"); }

ToolCommand DebugSettingsCommand() { return Built("/DBGSETTINGS"); }

ToolCommand EnumAllCommand() { return Built("/enum all /v"); }

ToolCommand EnumFirmwareCommand() { return Built("/enum firmware /v"); }

ToolCommand BootSequenceCommand(const std::string& identifier)
{
    std::string problem = CheckWord(identifier, "identifier");
    return problem.empty() ? WithChange(Built("/bootsequence " + identifier), ElementChange::Set, "{bootmgr}",
                                        "bootsequence", {identifier})
                           : Refused(problem);
}

ToolCommand CreateEntryCommand(const std::string& description, const std::string& application)
{
    std::string problem = FirstNonEmpty({description.empty() ? std::string("The description is empty.") : std::string(),
                                        CheckQuotedValue(description), CheckWord(application, "application type")});
    if (!problem.empty())
        return Refused(problem);
    return Built("/create /d \"" + description + "\" /application " + application);
}

ToolCommand AddToDisplayOrderCommand(const std::string& identifier, bool first)
{
    std::string problem = CheckWord(identifier, "identifier");
    return problem.empty() ? Built("/displayorder " + identifier + (first ? " /addfirst" : " /addlast"))
                           : Refused(problem);
}

ToolCommand RemoveFromDisplayOrderCommand(const std::string& manager, const std::string& identifier)
{
    std::string problem =
        FirstNonEmpty({CheckWord(manager, "identifier"), CheckWord(identifier, "identifier")});
    return problem.empty() ? Built("/set " + manager + " displayorder " + identifier + " /remove")
                           : Refused(problem);
}

ToolCommand EnumObjectCommand(const std::string& identifier)
{
    std::string problem = CheckWord(identifier, "identifier");
    return problem.empty() ? Built("/enum " + identifier + " /v") : Refused(problem);
}

ToolCommand DeleteEntryCommand(const std::string& identifier)
{
    std::string problem = CheckWord(identifier, "identifier");
    return problem.empty() ? WithChange(Built("/DELETE " + identifier + " /cleanup"),
                                        ElementChange::EntryDeleted, identifier, {})
                           : Refused(problem);
}

ToolCommand CopyEntryCommand(const std::string& identifier, const std::string& description)
{
    std::string problem =
        FirstNonEmpty({CheckWord(identifier, "identifier"), CheckQuotedValue(description)});
    if (!problem.empty())
        return Refused(problem);
    return Built("/Copy " + identifier + " /d \"" + description + "\"");
}

ToolCommand SetValueCommand(const std::string& identifier, const std::string& element,
                            const std::string& value)
{
    std::string problem = FirstNonEmpty({CheckWord(identifier, "identifier"),
                                        CheckWord(element, "element name"),
                                        CheckQuotedValue(value)});
    if (!problem.empty())
        return Refused(problem);
    return WithChange(Built("/set " + identifier + " " + element + " \"" + value + "\""),
                      ElementChange::Set, identifier, element, {value});
}

ToolCommand SetListCommand(const std::string& identifier, const std::string& element,
                           const std::vector<std::string>& values)
{
    std::string problem =
        FirstNonEmpty({CheckWord(identifier, "identifier"), CheckWord(element, "element name")});
    if (!problem.empty())
        return Refused(problem);
    std::string arguments = "/set " + identifier + " " + element + " ";
    for (const std::string& value : values) {
        problem = CheckListValue(value);
        if (!problem.empty())
            return Refused(problem);
        arguments += value + " ";
    }
    return WithChange(Built(arguments), ElementChange::Set, identifier, element, values);
}

ToolCommand SetUnquotedCommand(const std::string& identifier, const std::string& element,
                               const std::string& value)
{
    std::string problem = FirstNonEmpty({CheckWord(identifier, "identifier"),
                                        CheckWord(element, "element name"), CheckValueText(value)});
    if (!problem.empty())
        return Refused(problem);
    return WithChange(Built("/set " + identifier + " " + element + " " + value), ElementChange::Set,
                      identifier, element, {value});
}

ToolCommand DeleteValueCommand(const std::string& identifier, const std::string& element)
{
    std::string problem =
        FirstNonEmpty({CheckWord(identifier, "identifier"), CheckWord(element, "element name")});
    return problem.empty() ? WithChange(Built("/deletevalue " + identifier + " " + element),
                                        ElementChange::Removed, identifier, element)
                           : Refused(problem);
}

ToolCommand EnumCurrentCommand()
{
    if (!StoreFile().empty())
        return Refused(kNoCurrentInStoreFile);
    return Built("/enum {current} /v");
}

ToolCommand ExportStoreCommand(const std::string& path)
{
    if (!StoreFile().empty())
        return Refused(kNoExportForStoreFile);
    std::string problem = CheckPath(path);
    return problem.empty() ? Built("/export \"" + path + "\"") : Refused(problem);
}

ToolCommand ImportStoreCommand(const std::string& path)
{
    if (!StoreFile().empty())
        return Refused(kNoExportForStoreFile);
    std::string problem = CheckPath(path);
    return problem.empty() ? Built("/import \"" + path + "\"") : Refused(problem);
}

ToolCommand UseStoreFile(const std::string& path)
{
    if (path.empty()) {
        StoreFile().clear();
        return EnumStoreCommand();
    }
    std::string problem = CheckPath(path);
    if (!problem.empty())
        return Refused(problem);
    // The longest command the program builds is a value or a list of values:
    // the store's part must leave room for the listing at least.
    std::string listing = StorePart(path) + "/ENUM /V";
    if (!FitsCommandLine(listing))
        return Refused("The store file's name is too long for " + std::string(kToolName) + " (" +
                       std::to_string(path.size()) + " characters).");
    StoreFile() = path;
    return EnumStoreCommand();
}

const std::string& StoreFileInUse() { return StoreFile(); }

std::string StoreFileArgument(const std::vector<std::string>& arguments)
{
    for (size_t i = 0; i + 1 < arguments.size(); ++i)
        if (EqualsNoCase(arguments[i], "/store"))
            return arguments[i + 1];
    return {};
}

std::string WithoutStorePart(const std::string& arguments)
{
    // Whichever store it named: a command kept from before a switch is
    // judged as well as one built now. A store's path holds no quote.
    const std::string head = "/store \"";
    if (arguments.rfind(head, 0) != 0)
        return arguments;
    size_t close = arguments.find("\" ", head.size());
    return close == std::string::npos ? arguments : arguments.substr(close + 2);
}

ToolCommand DebugSerialCommand(const std::string& port, const std::string& baudRate,
                               const DebugOptions& options)
{
    std::string problem =
        FirstNonEmpty({CheckWord(port, "debug port"), CheckWord(baudRate, "baud rate")});
    if (!problem.empty())
        return Refused(problem);
    return WithDebugOptions("/DBGSETTINGS SERIAL DEBUGPORT:" + port + " BAUDRATE:" + baudRate,
                            options);
}

ToolCommand DebugUsbCommand(const std::string& targetName, const DebugOptions& options)
{
    std::string problem = CheckWord(targetName, "target name");
    if (!problem.empty())
        return Refused(problem);
    return WithDebugOptions("/DBGSETTINGS USB TARGETNAME:" + targetName, options);
}

ToolCommand Debug1394Command(const std::string& channel, const DebugOptions& options)
{
    std::string problem = CheckWord(channel, "channel");
    if (!problem.empty())
        return Refused(problem);
    return WithDebugOptions("/DBGSETTINGS 1394 CHANNEL:" + channel, options);
}

ToolCommand DebugNetCommand(const std::string& hostIp, const std::string& port,
                            const std::string& key, const DebugOptions& options)
{
    std::string problem =
        FirstNonEmpty({CheckWord(hostIp, "host address"), CheckWord(port, "port"),
                      key.empty() ? std::string() : CheckWord(key, "key")});
    if (!problem.empty())
        return Refused(problem);
    return WithDebugOptions("/DBGSETTINGS NET HOSTIP:" + hostIp + " PORT:" + port +
                                (key.empty() ? std::string() : " KEY:" + key),
                            options);
}

ToolCommand DebugLocalCommand(const DebugOptions& options)
{
    return WithDebugOptions("/DBGSETTINGS LOCAL", options);
}
