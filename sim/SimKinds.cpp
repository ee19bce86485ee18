#include "sim/SimKinds.h"

namespace {

const SimKind kKinds[] = {
    {"bootmgr", "Windows Boot Manager", kClassManager},
    {"fwbootmgr", "Firmware Boot Manager", kClassManager},
    {"osloader", "Windows Boot Loader", kClassOsLoader},
    {"setup", "Windows Setup", kClassOsLoader},
    {"legacy", "Windows Legacy OS Loader", kClassLegacy},
    {"resume", "Resume from Hibernate", kClassResume},
    {"memtest", "Windows Memory Tester", kClassMemTest},
    {"bootsector", "Real-mode Boot Sector", kClassSector},
    {"dbgsettings", "Debugger Settings", kClassSettings},
    {"emssettings", "EMS Settings", kClassSettings},
    {"badmemory", "RAM Defects", kClassSettings},
    {"globalsettings", "Global Settings", kClassSettings},
    {"bootloadersettings", "Boot Loader Settings", kClassSettings},
    {"resumeloadersettings", "Resume Loader Settings", kClassSettings},
    {"hypervisorsettings", "Hypervisor Settings", kClassSettings},
    {"device", "Device options", kClassDevice},
    {"fwapp", "Firmware Application (101fffff)", kClassFirmware},
    {"bootapp", "Windows Boot Application (10200009)", kClassOsLoader},
};

}  // namespace

const SimKind* FindSimKind(const std::string& kind)
{
    for (const SimKind& each : kKinds)
        if (kind == each.kind)
            return &each;
    return nullptr;
}
