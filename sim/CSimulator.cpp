#include "common/GuidText.h"
#include "sim/CSimulator.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "common/FileText.h"
#include "common/TextCompare.h"
#include "sim/SimElementCodes.h"
#include "sim/SimElements.h"
#include "sim/SimKinds.h"
#include "sim/SimMessages.h"

namespace {

constexpr size_t kValueColumn = 24;

const char* const kWellKnown[] = {
    "{bootmgr}",         "{fwbootmgr}",          "{memdiag}",           "{ntldr}",
    "{current}",         "{default}",            "{dbgsettings}",       "{emssettings}",
    "{badmemory}",       "{globalsettings}",     "{bootloadersettings}", "{resumeloadersettings}",
    "{hypervisorsettings}", "{ramdiskoptions}",
};

bool IsWellKnownName(const std::string& identifier)
{
    for (const char* name : kWellKnown)
        if (EqualsNoCase(identifier, name))
            return true;
    return false;
}

// The store keeps one value per line: a value with a line break or another
// control character cannot be kept. Outer blanks stay, as the tool keeps them.
bool StorableValue(const std::string& value, std::string& out)
{
    for (unsigned char c : value)
        if (c < 0x20 || c == 0x7f)
            return false;
    out = value;
    return true;
}

SimOutput Failure(const std::string& words)
{
    SimOutput output;
    output.err = words;
    return output;
}

SimOutput Success(bool changed = true)
{
    SimOutput output;
    output.out = kOperationSucceeded;
    output.changed = changed;
    return output;
}

unsigned ClassOf(const SimObject& object)
{
    const SimKind* kind = FindSimKind(object.kind);
    return kind ? kind->objectClass : 0;
}

bool IsReferenceFormat(SimFormat format)
{
    return format == SimFormat::Object || format == SimFormat::ObjectList;
}

std::string RandomGuid()
{
    static std::mt19937_64 engine{std::random_device{}()};
    unsigned long long a = engine(), b = engine();
    char text[40];
    std::snprintf(text, sizeof text, "{%08llx-%04llx-%04llx-%04llx-%012llx}", a >> 32,
                  (a >> 16) & 0xffff, a & 0xffff, b >> 48, b & 0xffffffffffffull);
    return text;
}

bool MatchesEnumType(const SimObject& object, const std::string& type)
{
    unsigned objectClass = ClassOf(object);
    if (type == "all")
        return true;
    if (type == "bootmgr")
        return object.kind == "bootmgr";
    // The firmware's menu: its manager, then every boot manager and
    // firmware application.
    if (type == "firmware")
        return object.kind == "fwbootmgr" || object.kind == "bootmgr" || object.kind == "fwapp";
    if (type == "osloader")
        return (objectClass & kClassOsLoader) != 0;
    if (type == "resume")
        return object.kind == "resume";
    if (type == "inherit")
        return (objectClass & kClassSettings) != 0;
    if (type == "bootapp")
        return (objectClass & kClassApp & ~kClassManager) != 0;
    return false;
}

}  // namespace

std::string FormatElementLine(const std::string& name, const std::string& value)
{
    std::string line = name;
    line.append(name.size() < kValueColumn ? kValueColumn - name.size() : 1, ' ');
    return line + value + "\r\n";
}

std::string FormatElement(const std::string& name, const std::vector<std::string>& values)
{
    std::string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += i == 0 ? FormatElementLine(name, values[i])
                       : std::string(kValueColumn, ' ') + values[i] + "\r\n";
    return text;
}

namespace {

bool WriteFileText(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

CSimulator::CSimulator(CSimStore& store)
    : store_(store), newGuid_(RandomGuid), files_{WriteFileText, ReadWholeFile}
{
}

void CSimulator::SetFiles(Files files) { files_ = std::move(files); }

void CSimulator::SetGuidSource(std::function<std::string()> source)
{
    newGuid_ = std::move(source);
}

std::string CSimulator::DefaultGuid() const
{
    for (const SimObject& object : store_.objects)
        if (object.kind == "bootmgr")
            if (const SimElement* element = object.Find("default"))
                return ToLowerAscii(element->values.front());
    return {};
}

SimObject* CSimulator::Resolve(const std::string& identifier, std::string& error)
{
    std::string id = ToLowerAscii(identifier);
    if (id == "{current}")
        id = store_.current;
    else if (id == "{default}")
        id = DefaultGuid();
    if (IsBracedGuidText(id)) {
        if (SimObject* object = store_.FindByGuid(id); object && Visible(*object))
            return object;
        error = kEntryMissing;
        return nullptr;
    }
    if (SimObject* object = store_.FindByAlias(id); object && Visible(*object))
        return object;
    error = IsWellKnownName(identifier) ? kEntryMissing : kIdentifierInvalid;
    return nullptr;
}

std::string CSimulator::DisplayIdentifier(const std::string& guid, bool verbose) const
{
    if (verbose)
        return guid;
    for (const SimObject& object : store_.objects)
        if (EqualsNoCase(object.guid, guid) && !object.alias.empty())
            return object.alias;
    if (!store_.current.empty() && EqualsNoCase(guid, store_.current))
        return "{current}";
    if (EqualsNoCase(guid, DefaultGuid()))
        return "{default}";
    return guid;
}

namespace {

// What a BIOS-started PC's store names: the boot manager is \bootmgr, and
// Windows's own programs are the .exe forms of the UEFI ones.
std::string BiosProgramPath(const SimObject& object, const std::string& path)
{
    if (object.kind == "bootmgr")
        return "\\bootmgr";
    bool windows = (ClassOf(object) & (kClassOsLoader | kClassResume | kClassMemTest)) != 0;
    if (!windows || !EndsWithNoCase(path, ".efi"))
        return path;
    return path.substr(0, path.size() - 4) + ".exe";
}

}  // namespace

std::string CSimulator::FormatObject(const SimObject& object, bool verbose) const
{
    const SimKind* kind = FindSimKind(object.kind);
    std::string heading = kind ? kind->heading : object.kind;
    std::string text = heading + "\r\n" + std::string(heading.size(), '-') + "\r\n";
    text += FormatElementLine("identifier", DisplayIdentifier(object.guid, verbose));
    // The tool prints elements by ascending type code, whatever order they were set in.
    std::vector<const SimElement*> ordered;
    for (const SimElement& element : object.elements)
        ordered.push_back(&element);
    unsigned objectClass = ClassOf(object);
    std::stable_sort(ordered.begin(), ordered.end(), [&](const SimElement* a, const SimElement* b) {
        return SimElementCode(a->name, objectClass) < SimElementCode(b->name, objectClass);
    });
    for (const SimElement* sorted : ordered) {
        const SimElement& element = *sorted;
        const SimElementInfo* info = FindSimElement(element.name);
        std::vector<std::string> values = element.values;
        if (info && IsReferenceFormat(info->format))
            for (std::string& value : values)
                value = DisplayIdentifier(value, verbose);
        if (store_.biosFirmware && EqualsNoCase(element.name, "path"))
            for (std::string& value : values)
                value = BiosProgramPath(object, value);
        if (values.empty())
            continue;
        text += FormatElement(element.name, values);
    }
    return text;
}

bool CSimulator::GuardedBySecureBoot(const std::string& name) const
{
    if (!store_.secureBoot)
        return false;
    for (const char* guarded : {"testsigning", "nointegritychecks", "loadoptions"})
        if (EqualsNoCase(name, guarded))
            return true;
    return false;
}

bool CSimulator::Visible(const SimObject& object) const
{
    return !store_.biosFirmware || (object.kind != "fwbootmgr" && object.kind != "fwapp");
}

SimOutput CSimulator::CutListing(SimOutput output) const
{
    if (store_.deviceError && output.err.empty()) {
        output.err = kNoSuchDevice;
        return output;
    }
    if (store_.enumCut <= 0 || !output.err.empty())
        return output;
    size_t end = 0;
    for (int line = 0; line < store_.enumCut && end != std::string::npos; ++line) {
        end = output.out.find("\r\n", end);
        if (end != std::string::npos)
            end += 2;
    }
    if (end != std::string::npos)
        output.out.resize(end);
    output.failed = true;
    return output;
}

SimOutput CSimulator::Execute(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args;
    bool verbose = false;
    for (const std::string& arg : rawArgs) {
        if (EqualsNoCase(arg, "/v"))
            verbose = true;
        else
            args.push_back(arg);
    }
    if (args.empty())
        return CutListing(Enumerate({}, verbose));
    std::string command = ToLowerAscii(args.front());
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "/enum")
        return CutListing(Enumerate(rest, verbose));
    if (command == "/dbgsettings")
        return DebugSettings(rest);
    if (command == "/set")
        return Set(rest);
    if (command == "/deletevalue")
        return DeleteValue(rest);
    if (command == "/bootsequence")
        return EditList("{bootmgr}", "bootsequence", rest, kBootSequenceInvalid);
    if (command == "/displayorder")
        return EditList("{bootmgr}", "displayorder", rest, kDisplayOrderInvalid);
    if (command == "/copy")
        return Copy(rest);
    if (command == "/create")
        return Create(rest);
    if (command == "/delete")
        return Delete(rest);
    if (command == "/export")
        return Export(rest);
    if (command == "/import")
        return Import(rest);
    if (command == "/?") {
        SimOutput output;
        output.out =
            "BCDEDIT - Boot Configuration Data Store Editor (Keystave simulator)\r\n\r\n"
            "Supported: /enum [type|id] [/v], /dbgsettings, /set, /deletevalue, /copy, "
            "/delete, /export, /import, /bootsequence, /displayorder, /create.\r\n";
        return output;
    }
    return Failure("Invalid command line switch: " + args.front() + "\r\n" SIM_HELP_HINT
                   "The parameter is incorrect.\r\n");
}

SimOutput CSimulator::Enumerate(const std::vector<std::string>& args, bool verbose)
{
    std::vector<const SimObject*> chosen;
    std::string type = args.empty() ? "active" : ToLowerAscii(args.front());
    if (args.size() > 1)
        return Failure(kEnumTypeInvalid);
    if (!type.empty() && type.front() == '{') {
        std::string error;
        const SimObject* object = Resolve(args.front(), error);
        if (!object)
            return Failure(error);
        chosen.push_back(object);
    } else if (type == "active") {
        // The boot manager, then the entries of its display order.
        const SimObject* manager = store_.FindByAlias("{bootmgr}");
        if (manager) {
            chosen.push_back(manager);
            if (const SimElement* order = manager->Find("displayorder"))
                for (const std::string& guid : order->values)
                    if (const SimObject* entry = store_.FindByGuid(guid))
                        chosen.push_back(entry);
        }
    } else if (type == "firmware") {
        // The firmware's boot manager first, then the rest in store order.
        if (const SimObject* manager = store_.FindByKind("fwbootmgr"); manager && Visible(*manager)) {
            chosen.push_back(manager);
            for (const SimObject& object : store_.objects)
                if (&object != manager && Visible(object) && MatchesEnumType(object, type))
                    chosen.push_back(&object);
        }
    } else {
        static const char* const types[] = {"all",    "bootmgr", "firmware", "osloader",
                                            "resume", "inherit", "bootapp"};
        if (std::find(std::begin(types), std::end(types), type) == std::end(types))
            return Failure(kEnumTypeInvalid);
        for (const SimObject& object : store_.objects)
            if (Visible(object) && MatchesEnumType(object, type))
                chosen.push_back(&object);
    }
    SimOutput output;
    if (chosen.empty()) {
        output.out = kNoMatchingObjects;
        return output;
    }
    for (const SimObject* object : chosen)
        output.out += "\r\n" + FormatObject(*object, verbose);
    return output;
}

SimObject& CSimulator::DebuggerObject()
{
    static const char kGuid[] = "{4636856e-540f-4170-a130-a84776f4c654}";
    if (SimObject* object = store_.FindByAlias("{dbgsettings}"))
        return *object;
    // An object under the well-known GUID is the one, alias or not: a second
    // object of that GUID would make the store unreadable.
    if (SimObject* object = store_.FindByGuid(kGuid)) {
        object->alias = "{dbgsettings}";
        return *object;
    }
    store_.objects.push_back(SimObject{kGuid, "dbgsettings", "{dbgsettings}", {}});
    return store_.objects.back();
}

namespace {

// What "/DBGSETTINGS" prints for each connection type, in the tool's order.
std::vector<const char*> DebugSettingsShown(const std::string& type)
{
    if (EqualsNoCase(type, "NET"))
        return {"key", "debugtype", "hostip", "port", "dhcp", "busparams"};
    if (EqualsNoCase(type, "USB"))
        return {"targetname", "debugtype", "debugport", "baudrate", "busparams"};
    if (EqualsNoCase(type, "1394"))
        return {"debugtype", "debugport", "baudrate", "channel", "busparams"};
    if (EqualsNoCase(type, "Local"))
        return {"debugtype"};
    return {"debugtype", "debugport", "baudrate", "busparams"};
}

std::string MadeUpKey()
{
    static std::mt19937_64 engine{std::random_device{}()};
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string key;
    for (int part = 0; part < 4; ++part) {
        if (part)
            key += '.';
        for (int i = 0; i < 12; ++i)
            key += digits[engine() % 36];
    }
    return key;
}

// The tool's own rule, kept apart from the program's check of it, so that
// a test sees the program and the tool agree rather than assume it.
bool IsNetPort(const std::string& port)
{
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long number = std::stoul(port);
    return number == 5364 || (number >= 49152 && number <= 65535);
}

}  // namespace

SimOutput CSimulator::ShowDebugSettings()
{
    SimOutput output;
    if (const SimObject* object = store_.FindByAlias("{dbgsettings}")) {
        const SimElement* type = object->Find("debugtype");
        std::vector<const char*> shown = DebugSettingsShown(type ? type->values.front() : "Serial");
        shown.push_back("debugstart");
        shown.push_back("noumex");
        for (const char* name : shown)
            if (const SimElement* element = object->Find(name))
                output.out += FormatElement(element->name, element->values);
    }
    output.out += kOperationSucceeded;
    return output;
}

SimOutput CSimulator::DebugSettings(const std::vector<std::string>& args)
{
    if (args.empty())
        return ShowDebugSettings();
    static const char* const types[] = {"Serial", "1394", "USB", "NET", "Local"};
    std::string type;
    for (const char* each : types)
        if (EqualsNoCase(args.front(), each))
            type = each;
    if (type.empty())
        return Failure(kDebugSettingsInvalid);

    std::vector<SimElement> connection;
    std::string start;
    bool noUmex = false;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string arg = args[i];
        if (EqualsNoCase(arg, "/noumex")) {
            noUmex = true;
            continue;
        }
        if (EqualsNoCase(arg, "/start")) {
            if (++i >= args.size())
                return Failure(kDebugSettingsInvalid);
            std::string error;
            if (!NormalizeSimValue(*FindSimElement("debugstart"), args[i], start, error))
                return Failure(kDebugSettingsInvalid);
            continue;
        }
        size_t colon = arg.find(':');
        if (colon == std::string::npos || colon + 1 == arg.size())
            return Failure(kDebugSettingsInvalid);
        std::string name = ToLowerAscii(arg.substr(0, colon));
        const SimElementInfo* info = FindSimElement(name);
        static const char* const allowed[] = {"debugport", "baudrate", "channel", "targetname",
                                              "hostip",    "port",     "key",     "busparams"};
        if (!info || std::find(std::begin(allowed), std::end(allowed), name) == std::end(allowed))
            return Failure(kDebugSettingsInvalid);
        std::string typed, value, error;
        if (!StorableValue(arg.substr(colon + 1), typed))
            return Failure(kDebugSettingsInvalid);
        if (!NormalizeSimValue(*info, typed, value, error))
            return Failure(error);
        connection.push_back(SimElement{name, {value}});
    }
    auto find = [&](const char* name) -> SimElement* {
        for (SimElement& element : connection)
            if (element.name == name)
                return &element;
        return nullptr;
    };
    bool complete = type == "Serial" || (type == "1394" && find("channel")) ||
                    (type == "USB" && find("targetname")) ||
                    (type == "NET" && find("hostip") && find("port")) || type == "Local";
    if (!complete)
        return Failure(kDebugSettingsInvalid);
    if (type == "NET" && !IsNetPort(find("port")->values.front()))
        return Failure(kDebugSettingsInvalid);

    SimOutput output = Success();
    if (type == "Serial" && !find("debugport"))
        connection.push_back(SimElement{"debugport", {"1"}});
    if (type == "Serial" && !find("baudrate"))
        connection.push_back(SimElement{"baudrate", {"115200"}});
    if (type == "NET") {
        if (!find("key")) {
            std::string key = MadeUpKey();
            connection.push_back(SimElement{"key", {key}});
            output.out = "Key=" + key + "\r\n" + output.out;
        }
        connection.push_back(SimElement{"dhcp", {"Yes"}});
    }

    SimObject& object = DebuggerObject();
    // Another connection keeps the serial port and rate; its own values
    // and the options are set anew.
    std::vector<std::string> replaced = {"debugtype", "channel", "targetname", "hostip", "port",
                                         "key",       "dhcp",    "debugstart", "noumex"};
    for (const SimElement& element : connection)
        replaced.push_back(element.name);
    object.elements.erase(
        std::remove_if(object.elements.begin(), object.elements.end(),
                       [&](const SimElement& e) {
                           return std::find(replaced.begin(), replaced.end(), ToLowerAscii(e.name)) !=
                                  replaced.end();
                       }),
        object.elements.end());
    object.elements.push_back(SimElement{"debugtype", {type}});
    for (SimElement& element : connection)
        object.elements.push_back(element);
    if (!start.empty())
        object.elements.push_back(SimElement{"debugstart", {start}});
    if (noUmex)
        object.elements.push_back(SimElement{"noumex", {"Yes"}});
    return output;
}

bool CSimulator::NormalizeReference(const std::string& value, std::string& out,
                                    std::string& error)
{
    if (IsBracedGuidText(value)) {
        out = ToLowerAscii(value);
        return true;
    }
    SimObject* object = Resolve(value, error);
    if (!object)
        return false;
    out = object->guid;
    return true;
}

SimOutput CSimulator::Set(const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return Failure(kSetInvalid);
    size_t next = 0;
    std::string identifier = "{current}";
    if (!args[0].empty() && args[0][0] == '{')
        identifier = args[next++];
    if (args.size() < next + 2)
        return Failure(kSetInvalid);
    std::string error;
    SimObject* object = Resolve(identifier, error);
    if (!object)
        return Failure(error);
    std::string name = args[next++];
    const SimElementInfo* info = FindSimElement(name);
    if (!info || (info->classes & ClassOf(*object)) == 0)
        return Failure(kElementUnknown);
    if (GuardedBySecureBoot(name))
        return Failure(kSecureBootProtected);
    if (!store_.refusedSet.empty() && EqualsNoCase(name, store_.refusedSet))
        return Failure(kSetRefused);
    std::vector<std::string> values(args.begin() + static_cast<long>(next), args.end());
    if (info->format == SimFormat::ObjectList && !values.empty() && values.back().size() > 1 &&
        values.back()[0] == '/')
        return EditList(identifier, ToLowerAscii(name), values, kSetInvalid);
    if (values.empty() || (!IsListFormat(info->format) && values.size() != 1))
        return Failure(kSetInvalid);
    std::vector<std::string> normalized;
    for (const std::string& typed : values) {
        std::string value, out;
        if (!StorableValue(typed, value))
            return Failure(kSetInvalid);
        bool ok = IsReferenceFormat(info->format) ? NormalizeReference(value, out, error)
                                                  : NormalizeSimValue(*info, value, out, error);
        if (!ok)
            return Failure(error);
        if (info->format == SimFormat::Device && NamesMissingVolume(out))
            return Failure(kDeviceInvalid);
        normalized.push_back(out);
    }
    if (store_.ignoreSet)
        return Success(false);
    if (SimElement* element = object->Find(name))
        element->values = normalized;
    else
        object->elements.push_back(SimElement{ToLowerAscii(name), normalized});
    return Success();
}

SimOutput CSimulator::EditList(const std::string& identifier, const std::string& name,
                               const std::vector<std::string>& args, const char* invalid)
{
    // "{a} {b} ... [/addfirst | /addlast | /remove]": without a switch the
    // list is replaced; with one, each named entry is moved or taken out.
    std::vector<std::string> ids = args;
    std::string how;
    if (!ids.empty() && !ids.back().empty() && ids.back()[0] == '/') {
        how = ToLowerAscii(ids.back());
        ids.pop_back();
        if (how != "/addfirst" && how != "/addlast" && how != "/remove")
            return Failure(invalid);
    }
    if (ids.empty())
        return Failure(invalid);
    std::string error;
    SimObject* owner = Resolve(identifier, error);
    if (!owner)
        return Failure(error);
    std::vector<std::string> named;
    for (const std::string& id : ids) {
        std::string guid;
        if (!NormalizeReference(id, guid, error))
            return Failure(error);
        named.push_back(guid);
    }
    if (store_.ignoreSet)
        return Success(false);
    SimElement* element = owner->Find(name);
    std::vector<std::string> list = element ? element->values : std::vector<std::string>();
    if (how.empty()) {
        list = named;
    } else {
        for (const std::string& guid : named)
            list.erase(std::remove_if(list.begin(), list.end(),
                                      [&](const std::string& value) { return EqualsNoCase(value, guid); }),
                       list.end());
        if (how == "/addfirst")
            list.insert(list.begin(), named.begin(), named.end());
        else if (how == "/addlast")
            list.insert(list.end(), named.begin(), named.end());
    }
    if (list.empty()) {
        if (element)
            owner->elements.erase(owner->elements.begin() + (element - owner->elements.data()));
    } else if (element) {
        element->values = list;
    } else {
        owner->elements.push_back(SimElement{name, list});
    }
    return Success();
}

SimOutput CSimulator::DeleteValue(const std::vector<std::string>& args)
{
    if (args.empty() || args.size() > 2)
        return Failure(kSetInvalid);
    std::string identifier = args.size() == 2 ? args[0] : "{current}";
    std::string name = args.back();
    std::string error;
    SimObject* object = Resolve(identifier, error);
    if (!object)
        return Failure(error);
    if (!FindSimElement(name))
        return Failure(kElementUnknown);
    if (GuardedBySecureBoot(name))
        return Failure(kSecureBootProtected);
    auto found = std::find_if(object->elements.begin(), object->elements.end(),
                              [&](const SimElement& e) { return EqualsNoCase(e.name, name); });
    if (found == object->elements.end())
        return Failure(kDeleteValueFailed);
    object->elements.erase(found);
    return Success();
}

SimOutput CSimulator::Copy(const std::vector<std::string>& args)
{
    if (args.size() != 3 || !EqualsNoCase(args[1], "/d"))
        return Failure(kCopyInvalid);
    std::string error;
    SimObject* source = Resolve(args[0], error);
    if (!source)
        return Failure(error);
    // Boot applications can be copied, and the boot manager itself: its copy
    // joins the firmware's menu.
    bool manager = source->kind == "bootmgr";
    if (!manager && (ClassOf(*source) & kClassApp & ~kClassManager) == 0)
        return Failure(kCopyInvalid);
    std::string description;
    if (!StorableValue(args[2], description))
        return Failure(kCopyInvalid);
    SimObject copy = *source;
    copy.guid = FreshGuid();
    if (copy.guid.empty())
        return Failure(kCopyInvalid);
    copy.alias.clear();
    if (SimElement* element = copy.Find("description"))
        element->values = {description};
    else
        copy.elements.insert(copy.elements.begin(), SimElement{"description", {description}});
    std::string guid = copy.guid;
    bool loader = (ClassOf(copy) & (kClassOsLoader | kClassLegacy)) != 0;
    store_.objects.push_back(std::move(copy));
    // The tool puts a copied loader at the end of the boot menu, a copied
    // boot manager at the end of the firmware's.
    const char* menu = loader ? "{bootmgr}" : manager ? "{fwbootmgr}" : nullptr;
    if (menu)
        if (SimObject* owner = store_.FindByAlias(menu); owner && Visible(*owner)) {
            if (SimElement* order = owner->Find("displayorder"))
                order->values.push_back(guid);
            else
                owner->elements.push_back(SimElement{"displayorder", {guid}});
        }
    SimOutput output;
    output.out = "The entry was successfully copied to " + guid + ".\r\n";
    output.changed = true;
    return output;
}

namespace {

struct WellKnownObject {
    const char* alias;
    const char* kind;
    const char* guid;
};

const WellKnownObject* FindWellKnownObject(const std::string& alias)
{
    static const WellKnownObject kObjects[] = {
        {"{ramdiskoptions}", "device", "{ae5534e0-a924-466c-b836-758539a3ee3a}"},
        {"{dbgsettings}", "dbgsettings", "{4636856e-540f-4170-a130-a84776f4c654}"},
        {"{emssettings}", "emssettings", "{0ce4991b-e6b3-4b16-b23c-5e0d9250e5d9}"},
        {"{badmemory}", "badmemory", "{5189b25c-5558-4bf2-bca4-289b11bd29e2}"},
        {"{globalsettings}", "globalsettings", "{7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}"},
        {"{bootloadersettings}", "bootloadersettings", "{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}"},
        {"{resumeloadersettings}", "resumeloadersettings", "{1afa9c49-16ab-4a5c-901b-212802da9460}"},
        {"{hypervisorsettings}", "hypervisorsettings", "{7ff607e0-4395-11db-b0de-0800200c9a66}"},
        {"{memdiag}", "memtest", "{b2721d73-1db4-4c62-bf78-c548a880142d}"},
        {"{ntldr}", "legacy", "{466f5a88-0af2-4f76-9038-095b170dc21c}"},
        {"{fwbootmgr}", "fwbootmgr", "{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}"},
        {"{bootmgr}", "bootmgr", "{9dea862c-5cdd-4e70-acc1-f32b344d4795}"},
    };
    for (const WellKnownObject& object : kObjects)
        if (EqualsNoCase(alias, object.alias))
            return &object;
    return nullptr;
}

std::string KindOfApplication(const std::string& application)
{
    static const char* const kKinds[][2] = {
        {"osloader", "osloader"}, {"bootsector", "bootsector"}, {"resume", "resume"}, {"startup", "bootapp"}};
    for (const auto& known : kKinds)
        if (application == known[0])
            return known[1];
    return {};
}

std::string KindOfInherited(const std::string& inherit)
{
    static const char* const kKinds[][2] = {
        {"osloader", "bootloadersettings"}, {"resume", "resumeloadersettings"}, {"bootmgr", "globalsettings"}};
    for (const auto& known : kKinds)
        if (inherit == known[0])
            return known[1];
    return {};
}

}  // namespace

std::string CSimulator::FreshGuid()
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string guid = ToLowerAscii(newGuid_());
        if (IsBracedGuidText(guid) && !store_.FindByGuid(guid))
            return guid;
    }
    return {};
}

bool CSimulator::NamesMissingVolume(const std::string& device) const
{
    if (store_.volumes.empty())
        return false;
    std::string letter;
    std::string lower = ToLowerAscii(device);
    if (lower.rfind("partition=", 0) == 0) {
        letter = device.substr(10);
    } else if (lower.rfind("vhd=[", 0) == 0) {
        size_t close = device.find(']');
        if (close != std::string::npos)
            letter = device.substr(5, close - 5);
    }
    if (letter.size() != 2 || letter[1] != ':')
        return false;
    return std::find(store_.volumes.begin(), store_.volumes.end(), ToUpperAscii(letter)) == store_.volumes.end();
}

SimOutput CSimulator::Create(const std::vector<std::string>& args)
{
    // "/create [{id}] [/d "..."] /application <type> | /inherit <type> | /device",
    // or a well-known identifier alone with its description.
    std::string identifier, description, application, inherit;
    bool device = false, described = false;
    size_t i = 0;
    if (!args.empty() && !args[0].empty() && args[0][0] == '{')
        identifier = args[i++];
    for (; i < args.size(); ++i) {
        std::string option = ToLowerAscii(args[i]);
        if (option == "/d" && i + 1 < args.size()) {
            if (!StorableValue(args[++i], description))
                return Failure(kCreateInvalid);
            described = true;
        } else if (option == "/application" && i + 1 < args.size()) {
            application = ToLowerAscii(args[++i]);
        } else if (option == "/inherit" && i + 1 < args.size()) {
            inherit = ToLowerAscii(args[++i]);
        } else if (option == "/device") {
            device = true;
        } else {
            return Failure(kCreateInvalid);
        }
    }
    int kinds = !application.empty() + !inherit.empty() + device;
    SimObject created;
    if (!identifier.empty() && !IsBracedGuidText(identifier)) {
        // A well-known identifier brings its own kind and takes no /application.
        const WellKnownObject* known = FindWellKnownObject(identifier);
        if (!known)
            return Failure(kIdentifierInvalid);
        if (kinds > 0)
            return Failure(kCreateInvalid);
        created.kind = known->kind;
        created.alias = known->alias;
        created.guid = known->guid;
    } else {
        if (kinds != 1 || (!application.empty() && !described))
            return Failure(kCreateInvalid);
        created.kind = !application.empty() ? KindOfApplication(application)
                       : !inherit.empty()    ? KindOfInherited(inherit)
                                             : std::string("device");
        created.guid = identifier.empty() ? FreshGuid() : ToLowerAscii(identifier);
    }
    if (created.kind.empty() || created.guid.empty())
        return Failure(kCreateInvalid);
    if (store_.FindByGuid(created.guid))
        return Failure(kEntryExists);
    if (described)
        created.elements.push_back(SimElement{"description", {description}});
    store_.objects.push_back(std::move(created));
    SimOutput output;
    output.out = "The entry " + store_.objects.back().guid + " was successfully created.\r\n";
    output.changed = true;
    return output;
}

std::string CSimulator::UnsharedResumeObject(const SimObject& loader) const
{
    const SimElement* resume = loader.Find("resumeobject");
    if ((ClassOf(loader) & kClassOsLoader) == 0 || !resume || resume->values.size() != 1)
        return {};
    std::string guid = ToLowerAscii(resume->values[0]);
    for (const SimObject& other : store_.objects) {
        if (&other == &loader || (ClassOf(other) & kClassOsLoader) == 0)
            continue;
        const SimElement* used = other.Find("resumeobject");
        if (used && used->values.size() == 1 && EqualsNoCase(used->values[0], guid))
            return {};
    }
    for (const SimObject& other : store_.objects)
        if (other.guid == guid)
            return other.kind == "resume" ? guid : std::string();
    return {};
}

void CSimulator::RemoveReferences(const std::string& guid, const std::string& alias)
{
    auto refersToIt = [&](const std::string& value) {
        return EqualsNoCase(value, guid) || (!alias.empty() && EqualsNoCase(value, alias));
    };
    auto dropReferences = [&](SimElement& element) {
        const SimElementInfo* info = FindSimElement(element.name);
        if (!info || !IsReferenceFormat(info->format))
            return false;
        auto& values = element.values;
        size_t before = values.size();
        values.erase(std::remove_if(values.begin(), values.end(), refersToIt), values.end());
        return values.empty() && before > 0;
    };
    for (SimObject& object : store_.objects)
        object.elements.erase(
            std::remove_if(object.elements.begin(), object.elements.end(), dropReferences),
            object.elements.end());
}

SimOutput CSimulator::Delete(const std::vector<std::string>& args)
{
    if (args.empty())
        return Failure(kSetInvalid);
    bool force = false, cleanup = true;
    for (size_t i = 1; i < args.size(); ++i) {
        if (EqualsNoCase(args[i], "/f"))
            force = true;
        else if (EqualsNoCase(args[i], "/nocleanup"))
            cleanup = false;
        else if (!EqualsNoCase(args[i], "/cleanup"))
            return Failure(kSetInvalid);
    }
    std::string error;
    SimObject* object = Resolve(args[0], error);
    if (!object)
        return Failure(error);
    if (!force && !object->alias.empty() && (ClassOf(*object) & (kClassManager | kClassSettings)) != 0)
        return Failure(kDeleteProtected);
    std::vector<std::string> removed = {object->guid};
    if (cleanup) {
        std::string resume = UnsharedResumeObject(*object);
        if (!resume.empty())
            removed.push_back(resume);
    }
    for (const std::string& guid : removed) {
        SimObject* gone = store_.FindByGuid(guid);
        if (!gone)
            continue;
        std::string alias = gone->alias;
        store_.objects.erase(store_.objects.begin() + (gone - store_.objects.data()));
        if (cleanup)
            RemoveReferences(guid, alias);
    }
    return Success();
}

SimOutput CSimulator::Export(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty())
        return Failure(kSwitchInvalid);
    if (store_.exportFails)
        return Failure(kExportFailed);
    if (!files_.write(args[0], store_.Serialize()))
        return Failure(kExportPathMissing);
    return Success(false);
}

SimOutput CSimulator::Import(const std::vector<std::string>& args)
{
    bool clean = args.size() == 2 && EqualsNoCase(args[1], "/clean");
    if (args.empty() || args[0].empty() || (args.size() == 2 && !clean) || args.size() > 2)
        return Failure(kSwitchInvalid);
    std::string text;
    if (!files_.read(args[0], text))
        return Failure(kImportFileMissing);
    CSimStore imported;
    std::string error;
    if (!imported.Parse(text, error))
        return Failure(kImportFileInvalid);
    // The objects are the store; which loader booted and how this simulator
    // plays the tool stay as they are.
    store_.objects = std::move(imported.objects);
    return Success();
}
