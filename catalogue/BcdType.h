#pragma once

// Value types of boot configuration elements; the definitions file names
// them by member name, the grids select their cells by number.
enum BcdType {
    BCD_TYPE_NULL = 0,
    BCD_TYPE_GUID = 1,
    BCD_TYPE_DEFAULTGUID = 2,
    BCD_TYPE_STRING = 3,
    BCD_TYPE_INTEGER = 4,
    BCD_TYPE_NX = 5,
    BCD_TYPE_YESNO = 6,
    BCD_TYPE_PARTITION = 7,
    BCD_TYPE_DIRECTORY = 8,
    BCD_TYPE_DEBUGPORT = 9,
    BCD_TYPE_DEBUGTYPE = 10,
    BCD_TYPE_BAUDRATE = 11,
    BCD_TYPE_CHANNEL = 12,
    BCD_TYPE_ONOFF = 13,
    BCD_TYPE_STARTPOLICY = 14,
    BCD_TYPE_FILE = 15,
    BCD_TYPE_PAE = 16,
    BCD_TYPE_LOCALE = 17,
    BCD_TYPE_TRUEFALSE = 18,
    BCD_TYPE_BOOTSTATUSPOLICY = 19,
    BCD_TYPE_SAFEBOOT = 20,
    BCD_TYPE_DRIVERLOADFAILUREPOLICY = 21,
    BCD_TYPE_MSIENUM = 22,
    BCD_TYPE_CONFIGACCESSPOLICY = 23,
    BCD_TYPE_FIRSTMEGABYTEPOLICY = 24,
    BCD_TYPE_INTEGERLIST = 25,
    BCD_TYPE_UNKNOWN_VALUE = 26,
    BCD_TYPE_UNKNOWN_ENUM = 27,
};

constexpr int kBcdTypeCount = 28;

// The member whose name matches `name` without regard to case, or -1.
int BcdTypeFromName(const char* name);
// The member name of a type number; null outside 0..27.
const char* BcdTypeName(int type);
