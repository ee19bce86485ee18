#include "common/GuidText.h"
#include "sim/SimElements.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/TextCompare.h"
#include "sim/CSimStore.h"
#include "sim/SimKinds.h"
#include "sim/SimMessages.h"

namespace {

constexpr unsigned kAll = 0xffffffffu;
constexpr unsigned kApps = kClassApp | kClassSettings;
constexpr unsigned kMgr = kClassManager | kClassSettings;
constexpr unsigned kOs = kClassOsLoader | kClassSettings;

const SimElementInfo kElements[] = {
    {"description", SimFormat::String, kAll, nullptr},
    {"device", SimFormat::Device, kApps, nullptr},
    {"path", SimFormat::String, kApps, nullptr},
    {"locale", SimFormat::String, kApps, nullptr},
    {"inherit", SimFormat::ObjectList, kAll, nullptr},
    {"recoverysequence", SimFormat::ObjectList, kApps, nullptr},
    {"recoveryenabled", SimFormat::Boolean, kApps, nullptr},
    {"badmemorylist", SimFormat::IntegerList, kApps, nullptr},
    {"badmemoryaccess", SimFormat::Boolean, kApps, nullptr},
    {"firstmegabytepolicy", SimFormat::Enum, kApps, "UseNone|UseAll|UsePrivate"},
    {"bootdebug", SimFormat::Boolean, kApps, nullptr},
    {"bootems", SimFormat::Boolean, kApps, nullptr},
    {"ems", SimFormat::Boolean, kApps, nullptr},
    {"emsport", SimFormat::Integer, kApps, nullptr},
    {"emsbaudrate", SimFormat::Integer, kApps, nullptr},
    {"debugtype", SimFormat::Enum, kApps, "Serial|1394|USB|NET|Local"},
    {"debugport", SimFormat::Integer, kApps, nullptr},
    {"baudrate", SimFormat::Integer, kApps, nullptr},
    {"channel", SimFormat::Integer, kApps, nullptr},
    {"targetname", SimFormat::String, kApps, nullptr},
    {"busparams", SimFormat::String, kApps, nullptr},
    {"hostip", SimFormat::String, kApps, nullptr},
    {"port", SimFormat::Integer, kApps, nullptr},
    {"key", SimFormat::String, kApps, nullptr},
    {"dhcp", SimFormat::Boolean, kApps, nullptr},
    {"noumex", SimFormat::Boolean, kApps, nullptr},
    {"debugstart", SimFormat::Enum, kApps, "Active|AutoEnable|Disable"},
    {"bootmenupolicy", SimFormat::Enum, kApps, "Legacy|Standard"},
    {"displaymessage", SimFormat::String, kApps, nullptr},
    {"displaymessageoverride", SimFormat::String, kApps, nullptr},
    {"isolatedcontext", SimFormat::Boolean, kApps, nullptr},
    {"allowedinmemorysettings", SimFormat::HexInteger, kApps, nullptr},
    {"graphicsmodedisabled", SimFormat::Boolean, kApps, nullptr},
    {"flightsigning", SimFormat::Boolean, kApps, nullptr},
    {"elementstomigrate", SimFormat::IntegerList, kAll, nullptr},
    // Boot manager
    {"default", SimFormat::Object, kMgr, nullptr},
    {"resumeobject", SimFormat::Object, kMgr | kClassOsLoader, nullptr},
    {"displayorder", SimFormat::ObjectList, kMgr, nullptr},
    {"toolsdisplayorder", SimFormat::ObjectList, kMgr, nullptr},
    {"bootsequence", SimFormat::ObjectList, kMgr, nullptr},
    {"timeout", SimFormat::Integer, kMgr, nullptr},
    {"displaybootmenu", SimFormat::Boolean, kMgr, nullptr},
    {"noerrordisplay", SimFormat::Boolean, kMgr, nullptr},
    {"resume", SimFormat::Boolean, kMgr, nullptr},
    // Windows boot loader
    {"osdevice", SimFormat::Device, kOs, nullptr},
    {"loadoptions", SimFormat::String, kApps, nullptr},
    {"integrityservices", SimFormat::Enum, kOs, "Default|Enable|Disable"},
    {"vsmlaunchtype", SimFormat::Enum, kOs, "Off|Auto"},
    {"uselegacyapicmode", SimFormat::Boolean, kOs, nullptr},
    {"disableelamdrivers", SimFormat::Boolean, kOs, nullptr},
    {"systemroot", SimFormat::String, kOs, nullptr},
    {"nx", SimFormat::Enum, kOs, "OptIn|OptOut|AlwaysOn|AlwaysOff"},
    {"pae", SimFormat::Enum, kOs, "Default|ForceEnable|ForceDisable"},
    {"detecthal", SimFormat::Boolean, kOs, nullptr},
    {"winpe", SimFormat::Boolean, kOs, nullptr},
    {"nocrashautoreboot", SimFormat::Boolean, kOs, nullptr},
    {"lastknowngood", SimFormat::Boolean, kOs, nullptr},
    {"kernel", SimFormat::String, kOs, nullptr},
    {"hal", SimFormat::String, kOs, nullptr},
    {"safeboot", SimFormat::Enum, kOs, "Minimal|Network|DsRepair"},
    {"safebootalternateshell", SimFormat::Boolean, kOs, nullptr},
    {"sos", SimFormat::Boolean, kOs, nullptr},
    {"quietboot", SimFormat::Boolean, kOs, nullptr},
    {"bootlog", SimFormat::Boolean, kOs, nullptr},
    {"debug", SimFormat::Boolean, kOs, nullptr},
    {"vga", SimFormat::Boolean, kOs, nullptr},
    {"onecpu", SimFormat::Boolean, kOs, nullptr},
    {"numproc", SimFormat::Integer, kOs, nullptr},
    {"maxproc", SimFormat::Boolean, kOs, nullptr},
    {"truncatememory", SimFormat::Integer, kOs, nullptr},
    {"removememory", SimFormat::Integer, kOs, nullptr},
    {"increaseuserva", SimFormat::Integer, kOs, nullptr},
    {"nolowmem", SimFormat::Boolean, kOs, nullptr},
    {"novesa", SimFormat::Boolean, kOs, nullptr},
    {"usefirmwarepcisettings", SimFormat::Boolean, kOs, nullptr},
    {"useplatformclock", SimFormat::Boolean, kOs, nullptr},
    {"useplatformtick", SimFormat::Boolean, kOs, nullptr},
    {"disabledynamictick", SimFormat::Boolean, kOs, nullptr},
    {"halbreakpoint", SimFormat::Boolean, kOs, nullptr},
    {"testsigning", SimFormat::Boolean, kOs, nullptr},
    {"nointegritychecks", SimFormat::Boolean, kOs, nullptr},
    {"onetimeadvancedoptions", SimFormat::Boolean, kOs, nullptr},
    {"bootstatuspolicy", SimFormat::Enum, kOs,
     "DisplayAllFailures|IgnoreAllFailures|IgnoreShutdownFailures|IgnoreBootFailures|"
     "IgnoreCheckpointFailures|DisplayShutdownFailures|DisplayBootFailures|"
     "DisplayCheckpointFailures"},
    {"driverloadfailurepolicy", SimFormat::Enum, kOs, "Fatal|UseErrorControl"},
    {"msi", SimFormat::Enum, kOs, "Default|ForceDisable"},
    {"configaccesspolicy", SimFormat::Enum, kOs, "Default|DisallowMmConfig"},
    {"hypervisorlaunchtype", SimFormat::Enum, kOs, "Off|Auto"},
    {"tpmbootentropy", SimFormat::Enum, kOs, "Default|ForceDisable|ForceEnable"},
    {"x2apicpolicy", SimFormat::Enum, kOs, "Default|Disable|Enable"},
    {"tscsyncpolicy", SimFormat::Enum, kOs, "Default|Legacy|Enhanced"},
    {"bootux", SimFormat::Enum, kOs, "Disabled|Basic|Standard"},
    {"hypervisordebugtype", SimFormat::Enum, kOs, "Serial|1394|NET"},
    {"hypervisordebugport", SimFormat::Integer, kOs, nullptr},
    {"hypervisorbaudrate", SimFormat::Integer, kOs, nullptr},
    {"hypervisordebug", SimFormat::Boolean, kOs, nullptr},
    // Resume
    {"filedevice", SimFormat::Device, kClassResume | kClassSettings, nullptr},
    {"filepath", SimFormat::String, kClassResume | kClassSettings, nullptr},
    {"debugoptionenabled", SimFormat::Boolean, kClassResume | kClassSettings, nullptr},
    // Device options
    {"ramdisksdidevice", SimFormat::Device, kClassDevice, nullptr},
    {"ramdisksdipath", SimFormat::String, kClassDevice, nullptr},
};

// The format nibble of a custom element code, as the tool lays it out.
SimFormat CustomFormat(unsigned long code)
{
    switch ((code >> 24) & 0xf) {
    case 1: return SimFormat::Device;
    case 3: return SimFormat::Object;
    case 4: return SimFormat::ObjectList;
    case 5: return SimFormat::Integer;
    case 6: return SimFormat::Boolean;
    case 7: return SimFormat::IntegerList;
    default: return SimFormat::String;
    }
}

bool IsHexCode(const std::string& text)
{
    if (text.size() != 8)
        return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

const SimElementInfo* CustomElement(const std::string& name)
{
    // Indexed by SimFormat.
    static const SimElementInfo kCustom[] = {
        {"custom", SimFormat::Device, kAll, nullptr},
        {"custom", SimFormat::String, kAll, nullptr},
        {"custom", SimFormat::Object, kAll, nullptr},
        {"custom", SimFormat::ObjectList, kAll, nullptr},
        {"custom", SimFormat::Integer, kAll, nullptr},
        {"custom", SimFormat::HexInteger, kAll, nullptr},
        {"custom", SimFormat::Boolean, kAll, nullptr},
        {"custom", SimFormat::IntegerList, kAll, nullptr},
    };
    std::string code = name.substr(7);
    if (!IsHexCode(code))
        return nullptr;
    return &kCustom[static_cast<int>(CustomFormat(std::strtoul(code.c_str(), nullptr, 16)))];
}

bool ParseInteger(const std::string& text, unsigned long long& value)
{
    if (text.empty())
        return false;
    const char* digits = text.c_str();
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        digits += 2;
        base = 16;
    }
    for (const char* p = digits; *p; ++p)
        if (base == 16 ? !std::isxdigit(static_cast<unsigned char>(*p))
                       : !std::isdigit(static_cast<unsigned char>(*p)))
            return false;
    if (std::string(digits).size() > (base == 16 ? 16u : 19u))
        return false;
    value = std::strtoull(digits, nullptr, base);
    return true;
}

bool NormalizeBoolean(const std::string& value, std::string& out)
{
    static const char* const yes[] = {"yes", "on", "true", "1"};
    static const char* const no[] = {"no", "off", "false", "0"};
    for (const char* word : yes)
        if (EqualsNoCase(value, word))
            return out = "Yes", true;
    for (const char* word : no)
        if (EqualsNoCase(value, word))
            return out = "No", true;
    return false;
}

bool NormalizeEnum(const char* words, const std::string& value, std::string& out)
{
    std::string list = words;
    size_t start = 0;
    while (start <= list.size()) {
        size_t bar = list.find('|', start);
        std::string word = list.substr(start, bar == std::string::npos ? bar : bar - start);
        if (EqualsNoCase(word, value))
            return out = word, true;
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return false;
}

bool IsDevice(const std::string& value)
{
    static const char* const prefixes[] = {"partition=", "ramdisk=", "vhd=", "file=",
                                           "locate",     "boot",     "unknown"};
    for (const char* prefix : prefixes)
        if (StartsWith(ToLowerAscii(value), prefix))
            return value.size() > std::string(prefix).size() || prefix[0] == 'b' ||
                   prefix[0] == 'l' || prefix[0] == 'u';
    return false;
}

bool IsObjectReference(const std::string& value)
{
    return IsBracedGuidText(value) ||
           (value.size() > 2 && value.front() == '{' && value.back() == '}' &&
            value.find_first_of(" \t") == std::string::npos);
}

}  // namespace

const SimElementInfo* FindSimElement(const std::string& name)
{
    if (StartsWith(ToLowerAscii(name), "custom:"))
        return CustomElement(name);
    for (const SimElementInfo& info : kElements)
        if (EqualsNoCase(name, info.name))
            return &info;
    return nullptr;
}

bool IsListFormat(SimFormat format)
{
    return format == SimFormat::ObjectList || format == SimFormat::IntegerList;
}

bool NormalizeSimValue(const SimElementInfo& info, const std::string& value, std::string& out,
                       std::string& error)
{
    unsigned long long number = 0;
    char buffer[32];
    switch (info.format) {
    case SimFormat::String:
        out = value;
        return true;
    case SimFormat::Device:
        if (!IsDevice(value))
            return error = kDeviceInvalid, false;
        out = value;
        return true;
    case SimFormat::Object:
    case SimFormat::ObjectList:
        if (!IsObjectReference(value))
            return error = kIdentifierInvalid, false;
        out = value;
        return true;
    case SimFormat::Integer:
    case SimFormat::IntegerList:
        if (!ParseInteger(value, number))
            return error = kIntegerInvalid, false;
        out = std::to_string(number);
        if (info.format == SimFormat::IntegerList && StartsWith(ToLowerAscii(value), "0x")) {
            std::snprintf(buffer, sizeof buffer, "0x%llx", number);
            out = buffer;
        }
        return true;
    case SimFormat::HexInteger:
        if (!ParseInteger(value, number))
            return error = kIntegerInvalid, false;
        std::snprintf(buffer, sizeof buffer, "0x%llx", number);
        out = buffer;
        return true;
    case SimFormat::Boolean:
        if (!NormalizeBoolean(value, out))
            return error = kSetInvalid, false;
        return true;
    case SimFormat::Enum:
        if (!NormalizeEnum(info.words, value, out))
            return error = kSetInvalid, false;
        return true;
    }
    return error = kSetInvalid, false;
}
