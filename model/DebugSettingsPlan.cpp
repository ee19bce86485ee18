#include "model/DebugSettingsPlan.h"


#include "common/TextCompare.h"
#include "model/CBcdObject.h"

const char* const kTargetNameMissing = "A Target Name must be specified.";
const char* const kHostIpMissing = "A Host IP address must be specified.";
const char* const kHostIpInvalid =
    "The host IP address must be an IPv4 address: four numbers from 0 to 255, separated by dots.";
const char* const kNetPortInvalid =
    "The port must be 5364 or a number from 49152 to 65535.";
const char* const kNetKeyInvalid =
    "The key must be four parts of letters and digits separated by dots, such as "
    "1a2b.3c4d.5e6f.7g8h. Leave it empty and the tool makes one up.";
const char* const kConnectTypeMissing = "Choose a connection type.";

namespace {

DebugPlan Refusal(const char* message)
{
    DebugPlan plan;
    plan.kind = DebugPlan::Refuse;
    plan.message = message;
    return plan;
}

bool Differs(const std::string& chosen, const std::string& stored)
{
    return !EqualsNoCase(chosen, stored);
}

}  // namespace

bool IsValidNetPort(const std::string& port)
{
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long number = std::stoul(port);
    return number == 5364 || (number >= 49152 && number <= 65535);
}

bool IsValidIpv4(const std::string& address)
{
    int parts = 0;
    size_t start = 0;
    while (true) {
        size_t dot = address.find('.', start);
        std::string part = address.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos ||
            std::stoul(part) > 255)
            return false;
        ++parts;
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return parts == 4;
}

std::vector<std::string> SerialPortChoices(const std::string& storedPort)
{
    std::vector<std::string> ports;
    for (int port = 1; port <= 9; ++port)
        ports.push_back(std::to_string(port));
    std::string stored = TrimBlanks(storedPort);
    if (stored.empty() || stored.size() > 3 || stored.find_first_not_of("0123456789") != std::string::npos)
        return ports;
    unsigned long number = std::stoul(stored);
    if (number > 9)
        ports.push_back(std::to_string(number));
    return ports;
}

std::string StoredStartPolicy(const CBcdObject& settings)
{
    const CBcdItem* item = settings.FindItem("debugstart");
    std::string stored = item ? ToLowerAscii(TrimBlanks(item->GetValue(0))) : std::string();
    if (stored == "autoenable")
        return "AUTOENABLE";
    if (stored == "disable")
        return "DISABLE";
    return "ACTIVE";
}

bool IsValidNetKey(const std::string& key)
{
    int parts = 1;
    size_t length = 0;
    for (char c : key) {
        if (c == '.') {
            if (length == 0)
                return false;
            ++parts;
            length = 0;
            continue;
        }
        bool base36 = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!base36)
            return false;
        ++length;
    }
    return parts == 4 && length > 0;
}

std::string GeneratedKey(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (line.size() > 4 && EqualsNoCase(line.substr(0, 4), "Key="))
            return TrimBlanks(line.substr(4));
    return {};
}

DebugPlan PlanDebugSettings(const CBcdObject& stored, const DebugChoice& choice)
{
    bool switched = choice.type != stored.GetDebugType();
    bool changed = choice.policyChanged || choice.noUmex || switched;
    DebugOptions options;
    if (choice.policyChanged)
        options.startPolicy = choice.policy;
    options.noUmex = choice.noUmex;
    ToolCommand command;
    switch (choice.type) {
    case DebugTypeSerial:
        changed = changed || Differs(choice.port, stored.GetDebugPort()) ||
                  Differs(choice.baudRate, stored.GetBaudRate());
        command = DebugSerialCommand(choice.port, choice.baudRate, options);
        break;
    case DebugType1394:
        changed = changed || Differs(choice.channel, stored.GetChannel());
        command = Debug1394Command(choice.channel, options);
        break;
    case DebugTypeUsb:
        if (choice.targetName.empty())
            return Refusal(kTargetNameMissing);
        changed = changed || Differs(choice.targetName, stored.GetTargetName());
        command = DebugUsbCommand(choice.targetName, options);
        break;
    case DebugTypeNet:
        if (choice.hostIp.empty())
            return Refusal(kHostIpMissing);
        if (!IsValidIpv4(choice.hostIp))
            return Refusal(kHostIpInvalid);
        if (!IsValidNetPort(choice.netPort))
            return Refusal(kNetPortInvalid);
        if (!choice.key.empty() && !IsValidNetKey(choice.key))
            return Refusal(kNetKeyInvalid);
        changed = changed || Differs(choice.hostIp, stored.GetHostIp()) ||
                  Differs(choice.netPort, stored.GetNetPort()) ||
                  (!choice.key.empty() && Differs(choice.key, stored.GetKey()));
        command = DebugNetCommand(choice.hostIp, choice.netPort, choice.key, options);
        break;
    case DebugTypeLocal:
        command = DebugLocalCommand(options);
        break;
    case DebugTypeNone:
        // No type, no command: a bare "/start" would be another command.
        return changed ? Refusal(kConnectTypeMissing) : DebugPlan();
    }
    DebugPlan plan;
    if (!changed)
        return plan;
    plan.kind = DebugPlan::Send;
    plan.command = command;
    return plan;
}
