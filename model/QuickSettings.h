#pragma once
#include <string>
#include <vector>

#include "exec/ToolCommand.h"

class CBcdObject;

// The everyday switches of a Windows entry, asked for by name rather than
// by element: each reads its state from the entry's elements and turns a
// choice into the commands that make it.
enum class QuickSwitch { HyperV, TestSigning, UnsignedDrivers, SafeMode, StartupMenu, StartupMenuOnce };
constexpr QuickSwitch kQuickSwitches[] = {QuickSwitch::HyperV,      QuickSwitch::TestSigning,
                                          QuickSwitch::UnsignedDrivers, QuickSwitch::SafeMode,
                                          QuickSwitch::StartupMenu, QuickSwitch::StartupMenuOnce};

// The choices a switch offers, as the window lists them; the first is what
// the entry does when it holds none of the switch's elements.
const std::vector<std::string>& QuickChoices(QuickSwitch which);
// The choice the entry's elements stand for now.
size_t QuickChoiceOf(QuickSwitch which, const CBcdObject& entry);
// The commands that take the entry from its state to `choice`, each for
// one element; none when it is there already. A removal is asked only of
// an element the entry holds (the tool refuses to delete a missing one).
std::vector<ToolCommand> QuickSwitchCommands(QuickSwitch which, const CBcdObject& entry, size_t choice);
// When a change takes effect, and whether BitLocker may ask for its
// recovery key after it.
std::string QuickSwitchNote(QuickSwitch which);

// Whether the switches apply to the entry: a Windows loader (winload), not
// an earlier Windows's legacy loader (ntldr).
bool TakesQuickSettings(const CBcdObject& entry);

// Whether the entry starts in safe mode (the main window marks it), and the
// commands that make it start normally again.
bool StartsInSafeMode(const CBcdObject& entry);
std::vector<ToolCommand> LeaveSafeModeCommands(const CBcdObject& entry);

// The boot manager's menu as the window shows it.
struct MenuChoice {
    std::string timeout;       // seconds, as typed
    std::string defaultEntry;  // an identifier
    bool showMenu = false;     // displaybootmenu
};
MenuChoice MenuChoiceOf(const CBcdObject& manager);
// The commands that change the menu from `manager`'s to `chosen`: one per
// setting changed. A timeout that is no whole number from 0 to 999 is
// refused with `refusal` set, and nothing is planned.
std::vector<ToolCommand> MenuCommands(const CBcdObject& manager, const MenuChoice& chosen,
                                      std::string& refusal);

extern const char* const kTimeoutInvalid;
