#include "model/QuickSettings.h"

#include "common/TextCompare.h"
#include "model/CBcdObject.h"

const char* const kTimeoutInvalid = "The timeout must be a whole number of seconds from 0 to 999.";

namespace {

// Each switch over one element: its choices' words as the tool takes them
// (empty for "not set"), matched back without regard to case.
struct ElementSwitch {
    const char* element;
    std::vector<std::string> words;
};

const ElementSwitch* ElementSwitchOf(QuickSwitch which)
{
    static const ElementSwitch hyperV{"hypervisorlaunchtype", {"", "Auto", "Off"}};
    static const ElementSwitch testSigning{"testsigning", {"", "Yes", "No"}};
    static const ElementSwitch unsigned_{"nointegritychecks", {"", "Yes", "No"}};
    static const ElementSwitch menu{"bootmenupolicy", {"", "Standard", "Legacy"}};
    static const ElementSwitch once{"onetimeadvancedoptions", {"", "Yes", "No"}};
    switch (which) {
    case QuickSwitch::HyperV: return &hyperV;
    case QuickSwitch::TestSigning: return &testSigning;
    case QuickSwitch::UnsignedDrivers: return &unsigned_;
    case QuickSwitch::StartupMenu: return &menu;
    case QuickSwitch::StartupMenuOnce: return &once;
    case QuickSwitch::SafeMode: break;
    }
    return nullptr;
}

std::string ValueOf(const CBcdObject& entry, const char* element)
{
    const CBcdItem* item = entry.FindItem(element);
    return item ? TrimBlanks(item->GetValue(0)) : std::string();
}

bool Holds(const CBcdObject& entry, const char* element) { return entry.FindItem(element) != nullptr; }

// Safe mode's choices after "Off": the safeboot word of each.
const char* const kSafeBootWords[] = {"", "Minimal", "Network", "DsRepair", "Minimal"};
const size_t kSafeModeWithPrompt = 4;

size_t SafeModeOf(const CBcdObject& entry)
{
    std::string mode = ToLowerAscii(ValueOf(entry, "safeboot"));
    bool prompt = TruthOf(ValueOf(entry, "safebootalternateshell")) == "yes";
    if (mode == "minimal")
        return prompt ? kSafeModeWithPrompt : 1;
    if (mode == "network")
        return 2;
    if (mode == "dsrepair")
        return 3;
    return 0;
}

std::vector<ToolCommand> SafeModeCommands(const CBcdObject& entry, size_t choice)
{
    const std::string& id = entry.GetIdentifier();
    std::vector<ToolCommand> commands;
    if (choice == 0) {
        for (const char* element : {"safeboot", "safebootalternateshell"})
            if (Holds(entry, element))
                commands.push_back(DeleteValueCommand(id, element));
        return commands;
    }
    if (!EqualsNoCase(ValueOf(entry, "safeboot"), kSafeBootWords[choice]))
        commands.push_back(SetValueCommand(id, "safeboot", kSafeBootWords[choice]));
    bool prompt = TruthOf(ValueOf(entry, "safebootalternateshell")) == "yes";
    if (choice == kSafeModeWithPrompt && !prompt)
        commands.push_back(SetValueCommand(id, "safebootalternateshell", "Yes"));
    if (choice != kSafeModeWithPrompt && Holds(entry, "safebootalternateshell"))
        commands.push_back(DeleteValueCommand(id, "safebootalternateshell"));
    return commands;
}

bool IsSeconds(const std::string& text)
{
    return !text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

const std::vector<std::string>& QuickChoices(QuickSwitch which)
{
    static const std::vector<std::string> hyperV = {"Not set (Windows decides)", "On", "Off"};
    static const std::vector<std::string> onOff = {"Not set (off)", "On", "Off"};
    static const std::vector<std::string> safeMode = {"Off (normal start)", "Minimal", "Networking",
                                                      "Active Directory repair",
                                                      "Minimal, with a command prompt"};
    static const std::vector<std::string> menu = {"Not set (Standard)", "Standard", "Legacy (F8)"};
    switch (which) {
    case QuickSwitch::HyperV: return hyperV;
    case QuickSwitch::SafeMode: return safeMode;
    case QuickSwitch::StartupMenu: return menu;
    default: return onOff;
    }
}

size_t QuickChoiceOf(QuickSwitch which, const CBcdObject& entry)
{
    const ElementSwitch* element = ElementSwitchOf(which);
    if (!element)
        return SafeModeOf(entry);
    std::string value = ValueOf(entry, element->element);
    for (size_t choice = 1; choice < element->words.size(); ++choice) {
        const std::string& word = element->words[choice];
        bool truth = !TruthOf(word).empty();
        if (truth ? TruthOf(value) == TruthOf(word) : EqualsNoCase(value, word))
            return choice;
    }
    return 0;
}

std::vector<ToolCommand> QuickSwitchCommands(QuickSwitch which, const CBcdObject& entry, size_t choice)
{
    const ElementSwitch* element = ElementSwitchOf(which);
    if (!element)
        return choice < QuickChoices(which).size() ? SafeModeCommands(entry, choice)
                                                   : std::vector<ToolCommand>();
    if (choice >= element->words.size() || choice == QuickChoiceOf(which, entry))
        return {};
    if (choice == 0)
        return Holds(entry, element->element)
                   ? std::vector<ToolCommand>{DeleteValueCommand(entry.GetIdentifier(), element->element)}
                   : std::vector<ToolCommand>();
    return {SetValueCommand(entry.GetIdentifier(), element->element, element->words[choice])};
}

std::string QuickSwitchNote(QuickSwitch which)
{
    switch (which) {
    case QuickSwitch::HyperV:
        return "Takes effect after the next restart.";
    case QuickSwitch::UnsignedDrivers:
        return "Takes effect after the next restart; ignored by Windows 7 and 8, refused while Secure "
               "Boot is on. BitLocker may then ask for its recovery key.";
    case QuickSwitch::TestSigning:
        return "Takes effect after the next restart; refused while Secure Boot is on. BitLocker may "
               "then ask for its recovery key.";
    case QuickSwitch::SafeMode:
        return "Takes effect after the next restart, and stays until it is turned off here.";
    case QuickSwitch::StartupMenu:
    case QuickSwitch::StartupMenuOnce:
        return "Takes effect at the next start.";
    }
    return {};
}

bool TakesQuickSettings(const CBcdObject& entry)
{
    std::string path = ValueOf(entry, "path");
    return EndsWithNoCase(path, "winload.exe") || EndsWithNoCase(path, "winload.efi");
}

bool StartsInSafeMode(const CBcdObject& entry) { return Holds(entry, "safeboot"); }

std::vector<ToolCommand> LeaveSafeModeCommands(const CBcdObject& entry) { return SafeModeCommands(entry, 0); }

MenuChoice MenuChoiceOf(const CBcdObject& manager)
{
    MenuChoice choice;
    choice.timeout = ValueOf(manager, "timeout");
    choice.defaultEntry = ValueOf(manager, "default");
    choice.showMenu = TruthOf(ValueOf(manager, "displaybootmenu")) == "yes";
    return choice;
}

std::vector<ToolCommand> MenuCommands(const CBcdObject& manager, const MenuChoice& chosen, std::string& refusal)
{
    refusal.clear();
    MenuChoice stored = MenuChoiceOf(manager);
    const std::string& id = manager.GetIdentifier();
    std::vector<ToolCommand> commands;
    std::string timeout = TrimBlanks(chosen.timeout);
    if (timeout != stored.timeout) {
        if (!IsSeconds(timeout) || std::stoi(timeout) > 999) {
            refusal = kTimeoutInvalid;
            return {};
        }
        commands.push_back(SetValueCommand(id, "timeout", std::to_string(std::stoi(timeout))));
    }
    if (!chosen.defaultEntry.empty() && !EqualsNoCase(chosen.defaultEntry, stored.defaultEntry))
        commands.push_back(SetValueCommand(id, "default", chosen.defaultEntry));
    if (chosen.showMenu != stored.showMenu)
        commands.push_back(SetValueCommand(id, "displaybootmenu", chosen.showMenu ? "Yes" : "No"));
    return commands;
}
