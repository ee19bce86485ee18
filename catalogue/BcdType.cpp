#include "catalogue/BcdType.h"

#include <string>

#include "common/TextCompare.h"

namespace {

const char* const kNames[kBcdTypeCount] = {
    "BCD_TYPE_NULL",
    "BCD_TYPE_GUID",
    "BCD_TYPE_DEFAULTGUID",
    "BCD_TYPE_STRING",
    "BCD_TYPE_INTEGER",
    "BCD_TYPE_NX",
    "BCD_TYPE_YESNO",
    "BCD_TYPE_PARTITION",
    "BCD_TYPE_DIRECTORY",
    "BCD_TYPE_DEBUGPORT",
    "BCD_TYPE_DEBUGTYPE",
    "BCD_TYPE_BAUDRATE",
    "BCD_TYPE_CHANNEL",
    "BCD_TYPE_ONOFF",
    "BCD_TYPE_STARTPOLICY",
    "BCD_TYPE_FILE",
    "BCD_TYPE_PAE",
    "BCD_TYPE_LOCALE",
    "BCD_TYPE_TRUEFALSE",
    "BCD_TYPE_BOOTSTATUSPOLICY",
    "BCD_TYPE_SAFEBOOT",
    "BCD_TYPE_DRIVERLOADFAILUREPOLICY",
    "BCD_TYPE_MSIENUM",
    "BCD_TYPE_CONFIGACCESSPOLICY",
    "BCD_TYPE_FIRSTMEGABYTEPOLICY",
    "BCD_TYPE_INTEGERLIST",
    "BCD_TYPE_UNKNOWN_VALUE",
    "BCD_TYPE_UNKNOWN_ENUM",
};

}  // namespace

int BcdTypeFromName(const char* name)
{
    if (!name)
        return -1;
    for (int i = 0; i < kBcdTypeCount; ++i)
        if (EqualsNoCase(name, kNames[i]))
            return i;
    return -1;
}

const char* BcdTypeName(int type)
{
    return type >= 0 && type < kBcdTypeCount ? kNames[type] : nullptr;
}
