#pragma once
#include <string>

// Classes of store objects, as bits, so an element can name where it applies.
enum SimClass : unsigned {
    kClassManager = 1,    // boot managers
    kClassOsLoader = 2,   // Windows boot loaders and setup
    kClassLegacy = 4,     // legacy OS loader
    kClassResume = 8,     // resume from hibernate
    kClassMemTest = 16,   // memory tester
    kClassSector = 32,    // real-mode boot sector
    kClassSettings = 64,  // inheritable settings objects: take any element
    kClassDevice = 128,   // device options
    kClassFirmware = 256, // the firmware's own boot applications
    kClassApp = kClassManager | kClassOsLoader | kClassLegacy | kClassResume | kClassMemTest |
                kClassSector | kClassFirmware,
};

struct SimKind {
    const char* kind;
    const char* heading;
    unsigned objectClass;
};

// Null for a kind the simulator does not know.
const SimKind* FindSimKind(const std::string& kind);
