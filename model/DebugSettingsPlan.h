#pragma once
#include <string>
#include <vector>

#include "exec/ToolCommand.h"
#include "model/DebugType.h"

class CBcdObject;

// What the debugger settings window's controls hold when OK is pressed.
struct DebugChoice {
    DebugType type = DebugTypeNone;
    std::string port, baudRate;    // serial
    std::string channel;           // 1394
    std::string targetName;        // USB
    std::string hostIp, netPort, key;  // network
    bool policyChanged = false;
    std::string policy;
    bool noUmex = false;
};

// What OK does: close without a command, refuse with a message (the window
// stays open, nothing is sent), or send one "/DBGSETTINGS" command.
struct DebugPlan {
    enum Kind { Nothing, Refuse, Send };
    Kind kind = Nothing;
    std::string message;
    ToolCommand command;
};

// Compares the choice with the stored settings (texts without regard to
// case); only a change, a new policy or the noumex switch sends a command.
DebugPlan PlanDebugSettings(const CBcdObject& stored, const DebugChoice& choice);

// The tool's rule for a network debugging port: 5364, or 49152 to 65535.
bool IsValidNetPort(const std::string& port);
// An IPv4 address: four dot-separated decimal numbers from 0 to 255.
bool IsValidIpv4(const std::string& address);
// The serial ports the window offers: 1 to 9, and a stored port beyond
// them (a PC with COM12), in numeric order.
std::vector<std::string> SerialPortChoices(const std::string& storedPort);
// The start policy the store holds ("debugstart"), as the window's words
// ACTIVE, AUTOENABLE or DISABLE; ACTIVE, the tool's default, when none.
std::string StoredStartPolicy(const CBcdObject& settings);
// Four dot-separated parts of letters and digits (base 36).
bool IsValidNetKey(const std::string& key);
// The key the tool made up and printed as "Key=...", or empty.
std::string GeneratedKey(const std::vector<std::string>& lines);

extern const char* const kTargetNameMissing;
extern const char* const kHostIpMissing;
extern const char* const kNetPortInvalid;
extern const char* const kHostIpInvalid;
extern const char* const kNetKeyInvalid;
extern const char* const kConnectTypeMissing;
