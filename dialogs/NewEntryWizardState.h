#pragma once
#include <functional>
#include <string>
#include <vector>

#include "exec/CSession.h"
#include "model/NewEntryPlan.h"

class CBcdObject;

// What the create-entry wizard knows of the PC and the store, and what its
// pages collect; the sheet owns it and each page is handed it.
struct NewEntryWizardState {
    explicit NewEntryWizardState(CSession& session) : session(session) {}

    CSession& session;
    std::vector<std::string> volumes;             // the PC's fixed drives
    bool uefi = true;                             // the store's loader files: .efi or .exe
    std::string locale;                           // the running Windows's, the default
    std::vector<const CBcdObject*> windows;       // Windows entries of the store
    std::function<bool(const std::string&)> entryExists;  // whether the store has that entry
    FileExists exists;                            // whether a file exists on this PC

    NewEntry entry;            // the kind page's fields, as last read
    unsigned kindPage = 0;     // the kind page the preview goes back to
    NewEntryOutcome outcome;   // after Finish
};
