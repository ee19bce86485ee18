#pragma once
#include <string>
#include <vector>

#include "common/FileText.h"

struct SimRunResult {
    std::string out;
    std::string err;
    std::string language;  // the store's display language, when it names one
    bool failed = false;   // exit code 1 even without words
};

// One run of the simulated tool against the store file at `storePath`:
// reads it, answers the command and, when the command changed the store,
// writes a temporary file and renames it over the store, so an interrupted
// run leaves either the old or the new store, never half of one. A store
// that cannot be parsed is answered with the tool's error and left as it is.
SimRunResult RunSimulatorOnFile(const std::vector<std::string>& args,
                                const std::string& storePath, bool accessDenied);

// One run as the tool's command line gives it: "/store <file>" anywhere
// makes that file the store in place of `systemStorePath` (a missing one
// fails as the tool does); "/createstore <file>" makes an empty store file;
// "/export" and "/import" work only on the system store.
SimRunResult RunSimulatorCommand(std::vector<std::string> args, const std::string& systemStorePath,
                                 bool accessDenied);

bool WriteStoreAtomically(const std::string& path, const std::string& text);

// The store every fresh simulator starts with.
extern const char* const kSampleStoreText;

// The sample store with `loaders` more Windows entries (copies of its
// Windows 10, each with a GUID of its own and a numbered description), all
// in the boot manager's display order: a large store for measurements.
// Empty when the sample cannot be read.
std::string GeneratedStoreText(int loaders);
