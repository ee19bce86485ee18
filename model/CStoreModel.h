#pragma once
#include "exec/SplitToolOutput.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/CDebugTrace.h"
#include "exec/ToolCommand.h"
#include "exec/ToolRun.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/CBcdDbgSettings.h"


// What the program knows of the store: the objects built from the tool's
// last enumeration. It owns them; windows that show rows pointing at them
// are told before they are deleted.
class CStoreModel {
public:
    explicit CStoreModel(AnsweredToolRun run) : m_run(std::move(run)) {}
    // A runner that gives only text: its answers count as exit code 0.
    explicit CStoreModel(ToolRun run);

    // Rebuilds the boot manager and every other object from "/ENUM /V" (and
    // the tools menu's entries, each read on its own), from "/enum all /v"
    // when every object is asked for, or from "/enum firmware /v". When the
    // output holds no boot manager section, the previous boot manager stays
    // and, but for the firmware's listing, no other object is kept.
    void EnumerateStore();
    // The same in two steps, so that a window can show the listing before
    // the tools menu's entries are in: the listing alone, then those reads
    // (the commands, to start them ahead, and their reading).
    void EnumerateListing();
    std::vector<std::string> ToolsEntryReads() const;
    void ReadToolsEntries();
    enum class Scope { Menus, All, Firmware };
    void SetScope(Scope scope) { m_scope = scope; }
    bool ListsEveryObject() const { return m_scope == Scope::All; }
    // The listing command of the scope: what a read started ahead must be.
    ToolCommand ListingCommand() const;
    // Rebuilds the debugger settings from "/DBGSETTINGS".
    void RefreshDebugSettings();

    // Called before the loader objects (or the debugger settings) are
    // deleted, so that list rows referring to them can go first.
    void OnBeforeLoadersDeleted(std::function<void()> callback) { m_beforeLoaders = std::move(callback); }
    void OnBeforeBootManagerDeleted(std::function<void()> callback) { m_beforeManager = std::move(callback); }
    void OnBeforeDebugSettingsDeleted(std::function<void()> callback) { m_beforeDebug = std::move(callback); }

    const std::string& GetLastOutput() const { return *m_lastOutput; }
    // How the last "/ENUM /V" ended: only a run that started and exited
    // with 0 lists the whole store. A listing that ends in an error may
    // still be what the store holds, but nothing says it is all of it.
    const ToolAnswer& GetLastEnumAnswer() const { return m_enumAnswer; }
    bool IsListingComplete() const;
    // Whether the last listing held a boot manager: the one kept from an
    // earlier listing does not say that this one read a store.
    bool ListedBootManager() const { return m_managerListed; }
    // The tool's own lines at the end of a listing that failed (they are
    // not read as elements); empty when it said nothing.
    const std::vector<std::string>& GetListingWords() const { return m_listingWords; }
    CBcdBootManager* GetBootManager() const { return m_bootManager.get(); }
    // The Windows and earlier-Windows loaders.
    const std::vector<std::unique_ptr<CBcdBootLoader>>& GetLoaders() const { return m_loaders; }
    // The listing's other objects: boot sectors, memory testers, resume,
    // firmware entries, settings objects, copies of the boot manager.
    const std::vector<std::unique_ptr<CBcdBootLoader>>& GetOtherEntries() const { return m_otherEntries; }
    // Every object of the last listing in its order, the boot manager too.
    const std::vector<CBcdObject*>& GetListedObjects() const { return m_listed; }
    // The listed object of that identifier ("{bootmgr}" and its GUID alike); null if none.
    CBcdObject* FindEntry(const std::string& identifier) const;
    CBcdDbgSettings* GetDebugSettings() const { return m_debugSettings.get(); }

    bool ParseBootManagerSection(const OutputLines& lines, size_t& i);
    bool ParseLoaderSection(const OutputLines& lines, size_t& i);

private:
    // A section of `listing` from its heading at lines[i] into the loaders or
    // the other entries, as its kind says.
    void AddSection(const OutputLines& lines, size_t& i, std::shared_ptr<const std::string> listing,
                    CDebugTrace* trace);
    // The tools menu's identifiers the last listing lacks.
    std::vector<std::string> MissingToolsEntries() const;

    AnsweredToolRun m_run;
    ToolAnswer m_enumAnswer;  // its text moves to m_lastOutput
    std::vector<std::string> m_listingWords;
    std::function<void()> m_beforeLoaders;
    std::function<void()> m_beforeManager;
    std::function<void()> m_beforeDebug;
    // Shared with the objects read from it: their items point into it.
    std::shared_ptr<const std::string> m_lastOutput = std::make_shared<const std::string>();
    std::unique_ptr<CBcdBootManager> m_bootManager;
    std::vector<std::unique_ptr<CBcdBootLoader>> m_loaders;
    std::vector<std::unique_ptr<CBcdBootLoader>> m_otherEntries;
    std::vector<CBcdObject*> m_listed;
    Scope m_scope = Scope::Menus;
    std::unique_ptr<CBcdDbgSettings> m_debugSettings;
    CDebugTrace* m_trace = nullptr;  // the listing's, while one is read
    bool m_managerListed = false;
};

// The element loop of a loader section, from line i (past the heading and
// underline). Also re-reads one loader from "/enum <identifier>" output.
// Its debugger lines go to `trace`, or, without one, out when it ends.
bool ParseSectionElements(CBcdObject& loader, const OutputLines& lines, size_t& i,
                          CDebugTrace* trace = nullptr);

// The element loop of a boot manager section, from line i; i stops at the
// line that ended the section.
bool ParseManagerElements(CBcdObject& manager, const OutputLines& lines, size_t& i);

// What a section is, by its heading in any known language, or, under a
// heading in none, by its content (identifier and path).
enum class SectionType { BootManager, Loader, Other };
SectionType ClassifySection(const OutputLines& lines, size_t i);

// Where the tool's own words begin at the end of a listing that failed:
// the trailing non-empty lines that are neither elements, continuation
// lines nor headings. lines.size() when there are none.
size_t TrailingToolWords(const OutputLines& lines);

// Where the lines of a successful answer end before its closing success
// message: its last non-empty line, whatever its language and bytes.
size_t BeforeSuccessLine(const OutputLines& lines);

