#pragma once
#include <string>
#include <vector>

// One element of a simulated store object: a name and one value, or a list.
struct SimElement {
    std::string name;
    std::vector<std::string> values;
};

struct SimObject {
    std::string guid;   // braced, lower case
    std::string kind;   // "bootmgr", "osloader", "legacy", ...
    std::string alias;  // well-known name such as "{bootmgr}", or empty
    std::vector<SimElement> elements;

    SimElement* Find(const std::string& name);
    const SimElement* Find(const std::string& name) const;
};

// The simulator's store, kept in a human-readable text file:
//
//   [store]
//   @current = {guid}          the loader the system booted from
//   @accessdenied = yes        every command fails as for a non-administrator
//   @language = de-DE          answers as a Windows in that display language
//   @ignoreset = yes           "/set" says it succeeded but stores nothing
//   @exportfails = yes         "/export" fails as on a full or locked disk
//   @delay = 2000              every command takes that many milliseconds
//   @hang = yes                no command ever answers
//   @hangafter = 3             three commands answer, every later one hangs
//
// "BCDEDIT.EXE /simgenerate 10000" (the simulator's own command) replaces
// the store with the sample plus that many Windows entries.
//
//   [{guid}]
//   @kind = osloader
//   @alias = {ntldr}           optional well-known name
//   description = Windows 11
//   displayorder = {a}         a name given again continues its list
//   displayorder = {b}
//   description = "  blanks kept  "   quoted when it starts or ends with blanks
class CSimStore {
public:
    bool Parse(const std::string& text, std::string& error);
    std::string Serialize() const;

    SimObject* FindByGuid(const std::string& guid);
    SimObject* FindByAlias(const std::string& alias);
    SimObject* FindByKind(const std::string& kind);

    std::vector<SimObject> objects;
    std::string current;
    bool accessDenied = false;
    std::string language;  // the display language it answers in; empty: English
    bool ignoreSet = false;
    bool exportFails = false;
    // A stand-in for a tool that stops mid-listing: every "/enum" prints
    // only its first `enumCut` lines and exits with 1 (0: off).
    int enumCut = 0;
    int delayMilliseconds = 0;
    bool hang = false;
    int hangAfter = -1;  // none
    // Secure Boot on: the elements its policy guards cannot be set or deleted.
    bool secureBoot = false;
    // A PC started in BIOS mode: no firmware boot manager or firmware
    // entries, and loaders run the .exe forms of their programs.
    bool biosFirmware = false;
    // A device an entry names is gone: every listing ends with the error
    // line and exit code 1, after the whole listing.
    bool deviceError = false;
    // The drive letters that exist ("C:", "D:"); a device naming another
    // fails as on a PC without it. Empty: every letter exists.
    std::vector<std::string> volumes;
    // An element whose "/set" the tool refuses (as a policy would): a
    // failure injected in the middle of a series of commands.
    std::string refusedSet;
};

// A value with blanks at either end is kept between double quotes in the
// store file, so the blanks survive; any other value as it is.
std::string QuoteStoreValue(const std::string& value);
std::string UnquoteStoreValue(const std::string& text);
