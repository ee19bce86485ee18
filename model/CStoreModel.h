#pragma once
#include "exec/SplitToolOutput.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "exec/ToolRun.h"
#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/CBcdDbgSettings.h"


// What the program knows of the store: the objects built from the tool's
// last enumeration. It owns them; windows that show rows pointing at them
// are told before they are deleted.
class CStoreModel {
public:
    explicit CStoreModel(ToolRun run) : m_run(std::move(run)) {}

    // Rebuilds the boot manager and the loaders from "/ENUM /V". When the
    // output holds no boot manager section, the previous boot manager stays.
    void EnumerateStore();
    // Rebuilds the debugger settings from "/DBGSETTINGS".
    void RefreshDebugSettings();

    // Called before the loader objects (or the debugger settings) are
    // deleted, so that list rows referring to them can go first.
    void OnBeforeLoadersDeleted(std::function<void()> callback) { m_beforeLoaders = std::move(callback); }
    void OnBeforeBootManagerDeleted(std::function<void()> callback) { m_beforeManager = std::move(callback); }
    void OnBeforeDebugSettingsDeleted(std::function<void()> callback) { m_beforeDebug = std::move(callback); }

    const std::string& GetLastOutput() const { return *m_lastOutput; }
    CBcdBootManager* GetBootManager() const { return m_bootManager.get(); }
    const std::vector<std::unique_ptr<CBcdBootLoader>>& GetLoaders() const { return m_loaders; }
    CBcdDbgSettings* GetDebugSettings() const { return m_debugSettings.get(); }

    bool ParseBootManagerSection(const OutputLines& lines, size_t& i);
    bool ParseLoaderSection(const OutputLines& lines, size_t& i);

private:
    ToolRun m_run;
    std::function<void()> m_beforeLoaders;
    std::function<void()> m_beforeManager;
    std::function<void()> m_beforeDebug;
    // Shared with the objects read from it: their items point into it.
    std::shared_ptr<const std::string> m_lastOutput = std::make_shared<const std::string>();
    std::unique_ptr<CBcdBootManager> m_bootManager;
    std::vector<std::unique_ptr<CBcdBootLoader>> m_loaders;
    std::unique_ptr<CBcdDbgSettings> m_debugSettings;
};

// The element loop of a loader section, from line i (past the heading and
// underline). Also re-reads one loader from "/enum <identifier>" output.
bool ParseSectionElements(CBcdObject& loader, const OutputLines& lines, size_t& i);

// The element loop of a boot manager section, from line i; i stops at the
// line that ended the section.
bool ParseManagerElements(CBcdObject& manager, const OutputLines& lines, size_t& i);

// What a section is, by its heading in any known language, or, under a
// heading in none, by its content (identifier and path).
enum class SectionType { BootManager, Loader, Other };
SectionType ClassifySection(const OutputLines& lines, size_t i);

