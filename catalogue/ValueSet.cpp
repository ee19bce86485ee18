#include "catalogue/ValueSet.h"

#include "catalogue/BcdType.h"
#include "common/TextCompare.h"

namespace {

struct SetEntry {
    int type;
    ValueSet words;
};

const std::vector<SetEntry>& Sets()
{
    // The words the tool accepts after "/set"; the driver load failure and
    // first megabyte policies take its own spellings of the later words.
    static const std::vector<SetEntry> sets = {
        {BCD_TYPE_NX, {"OPTIN", "OPTOUT", "ALWAYSON", "ALWAYSOFF"}},
        {BCD_TYPE_YESNO, {"YES", "NO"}},
        {BCD_TYPE_ONOFF, {"ON", "OFF"}},
        {BCD_TYPE_STARTPOLICY, {"ACTIVE", "AUTOENABLE", "DISABLE"}},
        {BCD_TYPE_PAE, {"DEFAULT", "FORCEENABLE", "FORCEDISABLE"}},
        {BCD_TYPE_TRUEFALSE, {"TRUE", "FALSE"}},
        {BCD_TYPE_BOOTSTATUSPOLICY,
         {"DISPLAYALLFAILURES", "IGNOREALLFAILURES", "IGNORESHUTDOWNFAILURES",
          "IGNOREBOOTFAILURES"}},
        {BCD_TYPE_SAFEBOOT, {"MINIMAL", "NETWORK", "DSREPAIR"}},
        {BCD_TYPE_DRIVERLOADFAILUREPOLICY, {"FATAL", "USEERRORCONTROL"}},
        {BCD_TYPE_MSIENUM, {"DEFAULT", "FORCEDISABLE"}},
        {BCD_TYPE_CONFIGACCESSPOLICY, {"DEFAULT", "DISALLOWMMCONFIG"}},
        {BCD_TYPE_FIRSTMEGABYTEPOLICY, {"USENONE", "USEALL", "USEPRIVATE"}},
    };
    return sets;
}

}  // namespace

const ValueSet* ValueSetFor(int type)
{
    for (const SetEntry& entry : Sets())
        if (entry.type == type)
            return &entry.words;
    return nullptr;
}

int ValueSetPosition(const ValueSet& set, const std::string& value)
{
    for (size_t i = 0; i < set.size(); ++i)
        if (EqualsNoCase(set[i], value))
            return static_cast<int>(i);
    return 0;
}

ValueSet& DefaultCandidates()
{
    static ValueSet candidates;
    return candidates;
}

void RebuildDefaultCandidates(const std::string& currentDefault,
                              const std::vector<std::string>& loaderIdentifiers)
{
    ValueSet& candidates = DefaultCandidates();
    candidates.clear();
    candidates.push_back(currentDefault);
    for (const std::string& identifier : loaderIdentifiers)
        if (identifier != currentDefault)
            candidates.push_back(identifier);
}
