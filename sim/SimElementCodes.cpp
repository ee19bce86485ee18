#include "sim/SimElementCodes.h"

#include <cstdlib>

#include "common/TextCompare.h"
#include "sim/SimKinds.h"

namespace {

struct Code {
    const char* name;
    unsigned long code;
};

// Library elements: every application object may hold them.
const Code kLibrary[] = {
    {"device", 0x11000001},          {"path", 0x12000002},
    {"description", 0x12000004},     {"locale", 0x12000005},
    {"inherit", 0x14000006},         {"truncatememory", 0x15000007},
    {"recoverysequence", 0x14000008}, {"recoveryenabled", 0x16000009},
    {"badmemorylist", 0x1700000a},   {"badmemoryaccess", 0x1600000b},
    {"firstmegabytepolicy", 0x1500000c}, {"bootdebug", 0x16000010},
    {"debugtype", 0x15000011},       {"debugport", 0x15000013},
    {"baudrate", 0x15000014},        {"channel", 0x15000015},
    {"targetname", 0x12000016},      {"noumex", 0x16000017},
    {"debugstart", 0x15000018},      {"busparams", 0x12000019},
    {"hostip", 0x1500001a},          {"port", 0x1500001b},
    {"dhcp", 0x1600001c},            {"key", 0x1200001d},
    {"bootems", 0x16000020},         {"emsport", 0x15000022},
    {"emsbaudrate", 0x15000023},     {"loadoptions", 0x12000030},
    {"graphicsmodedisabled", 0x16000046}, {"configaccesspolicy", 0x15000047},
    {"nointegritychecks", 0x16000048}, {"testsigning", 0x16000049},
    {"integrityservices", 0x1500004b}, {"isolatedcontext", 0x16000060},
    {"displaymessage", 0x15000065},  {"displaymessageoverride", 0x15000066},
    {"allowedinmemorysettings", 0x17000077}, {"flightsigning", 0x1600007e},
};

const Code kManager[] = {
    {"displayorder", 0x24000001}, {"bootsequence", 0x24000002}, {"default", 0x23000003},
    {"timeout", 0x25000004},      {"resume", 0x26000005},       {"resumeobject", 0x23000006},
    {"toolsdisplayorder", 0x24000010}, {"displaybootmenu", 0x26000020},
    {"noerrordisplay", 0x26000021}, {"elementstomigrate", 0x47000006},
};

const Code kOsLoader[] = {
    {"osdevice", 0x21000001},       {"systemroot", 0x22000002},
    {"resumeobject", 0x23000003},   {"detecthal", 0x26000010},
    {"kernel", 0x22000011},         {"hal", 0x22000012},
    {"nx", 0x25000020},             {"pae", 0x25000021},
    {"winpe", 0x26000022},          {"nocrashautoreboot", 0x26000024},
    {"lastknowngood", 0x26000025},  {"nolowmem", 0x26000030},
    {"removememory", 0x25000031},   {"increaseuserva", 0x25000032},
    {"vga", 0x26000040},            {"quietboot", 0x26000041},
    {"novesa", 0x26000042},         {"onecpu", 0x26000060},
    {"numproc", 0x25000061},        {"maxproc", 0x26000062},
    {"usefirmwarepcisettings", 0x26000070}, {"msi", 0x25000071},
    {"safeboot", 0x25000080},       {"safebootalternateshell", 0x26000081},
    {"bootlog", 0x26000090},        {"sos", 0x26000091},
    {"debug", 0x260000a0},          {"halbreakpoint", 0x260000a1},
    {"useplatformclock", 0x260000a2}, {"useplatformtick", 0x260000a4},
    {"disabledynamictick", 0x260000a5}, {"tscsyncpolicy", 0x250000a6},
    {"ems", 0x260000b0},            {"driverloadfailurepolicy", 0x250000c1},
    {"bootmenupolicy", 0x250000c2}, {"bootstatuspolicy", 0x250000e0},
    {"disableelamdrivers", 0x260000e1}, {"hypervisorlaunchtype", 0x250000f0},
    {"hypervisordebug", 0x260000f2}, {"hypervisordebugtype", 0x250000f3},
    {"hypervisordebugport", 0x250000f4}, {"hypervisorbaudrate", 0x250000f5},
    {"bootux", 0x250000f7},         {"tpmbootentropy", 0x25000100},
    {"x2apicpolicy", 0x25000120},   {"uselegacyapicmode", 0x26000121},
    {"vsmlaunchtype", 0x25000128},
};

const Code kResume[] = {
    {"filedevice", 0x21000001}, {"filepath", 0x22000002}, {"bootmenupolicy", 0x25000008},
    {"debugoptionenabled", 0x26000006}, {"bootux", 0x25000007},
};

const Code kDevice[] = {
    {"ramdisksdidevice", 0x31000003}, {"ramdisksdipath", 0x32000004},
};

template <size_t N>
bool Lookup(const Code (&table)[N], const std::string& name, unsigned long& code)
{
    for (const Code& entry : table)
        if (EqualsNoCase(name, entry.name))
            return code = entry.code, true;
    return false;
}

}  // namespace

unsigned long SimElementCode(const std::string& name, unsigned objectClass)
{
    if (StartsWith(ToLowerAscii(name), "custom:"))
        return std::strtoul(name.c_str() + 7, nullptr, 16);
    unsigned long code = 0;
    // The kind's own elements first: a name may mean another element there.
    if ((objectClass & kClassManager) && Lookup(kManager, name, code))
        return code;
    if ((objectClass & kClassResume) && Lookup(kResume, name, code))
        return code;
    if ((objectClass & kClassDevice) && Lookup(kDevice, name, code))
        return code;
    if (Lookup(kLibrary, name, code) || Lookup(kOsLoader, name, code) ||
        Lookup(kManager, name, code) || Lookup(kResume, name, code) || Lookup(kDevice, name, code))
        return code;
    return 0xffffffffUL;
}
