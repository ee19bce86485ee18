#pragma once
#include <functional>
#include <string>
#include <vector>

#include "sim/CSimStore.h"

struct SimOutput {
    std::string out;   // standard output, CR LF line ends
    std::string err;   // standard error: the tool's failure words
    bool changed = false;
    bool failed = false;  // exit code 1 without words (a listing cut off)
};

// Answers one BCDEDIT.EXE command line against a store held in memory.
class CSimulator {
public:
    explicit CSimulator(CSimStore& store);

    // Source of new identifiers for "/copy"; tests give a fixed sequence.
    void SetGuidSource(std::function<std::string()> source);

    SimOutput Execute(const std::vector<std::string>& args);

    // Where "/export" writes and "/import" reads whole files; tests keep
    // them in memory. By default they are files on disk.
    struct Files {
        std::function<bool(const std::string& path, const std::string& text)> write;
        std::function<bool(const std::string& path, std::string& text)> read;
    };
    void SetFiles(Files files);

    // The object an identifier names, resolving well-known names as the tool
    // does; null with the tool's words in `error` when there is none.
    SimObject* Resolve(const std::string& identifier, std::string& error);

private:
    // Whether "@secureboot = on" guards the element against change.
    bool GuardedBySecureBoot(const std::string& name) const;
    // A listing as the "@enumcut" store prints it.
    SimOutput CutListing(SimOutput output) const;
    SimOutput Enumerate(const std::vector<std::string>& args, bool verbose);
    SimOutput DebugSettings(const std::vector<std::string>& args);
    SimOutput ShowDebugSettings();
    SimOutput Set(const std::vector<std::string>& args);
    SimOutput DeleteValue(const std::vector<std::string>& args);
    // A list of entries set, or entries moved in it or taken out of it.
    SimOutput EditList(const std::string& identifier, const std::string& name,
                       const std::vector<std::string>& args, const char* invalid);
    // Objects a BIOS-started PC does not have are neither listed nor found.
    bool Visible(const SimObject& object) const;
    SimOutput Copy(const std::vector<std::string>& args);
    SimOutput Create(const std::vector<std::string>& args);
    // A new identifier no object of the store has; empty when none came.
    std::string FreshGuid();
    // Whether a device value names a drive the "@volumes" store lacks.
    bool NamesMissingVolume(const std::string& device) const;
    SimOutput Delete(const std::vector<std::string>& args);
    SimOutput Export(const std::vector<std::string>& args);
    SimOutput Import(const std::vector<std::string>& args);

    std::string FormatObject(const SimObject& object, bool verbose) const;
    std::string DisplayIdentifier(const std::string& guid, bool verbose) const;
    std::string DefaultGuid() const;
    bool NormalizeReference(const std::string& value, std::string& out, std::string& error);
    SimObject& DebuggerObject();
    // The resume entry of a Windows loader that no other loader uses, or empty.
    std::string UnsharedResumeObject(const SimObject& loader) const;
    // What "/cleanup" does besides deleting: every element naming the entry
    // loses that value; an element left with none goes.
    void RemoveReferences(const std::string& guid, const std::string& alias);

    CSimStore& store_;
    std::function<std::string()> newGuid_;
    Files files_;
};

// Pads an element name to the tool's value column (24).
std::string FormatElementLine(const std::string& name, const std::string& value);
// An element's first value on the name line, further values on lines
// indented to the value column.
std::string FormatElement(const std::string& name, const std::vector<std::string>& values);
