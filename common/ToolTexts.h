#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The tool's texts in the display languages it is translated into, and the
// system's success and failure lines in every language pack the program
// knows (UTF-8; the program turns them into its own code page).
enum ToolHeading {
    kHeadingBootManager, kHeadingBootLoader, kHeadingLegacyOsLoader, kHeadingFirmwareBootManager,
    kHeadingFirmwareApplication, kHeadingResume, kHeadingMemoryTester, kHeadingRealmodeBootSector,
    kHeadingDebuggerSettings, kHeadingWindowsSetup, kHeadingEmsSettings, kHeadingGlobalSettings,
    kHeadingBootLoaderSettings, kHeadingHypervisorSettings, kHeadingResumeLoaderSettings,
    kHeadingRamDefects, kHeadingDeviceOptions, kHeadingVhdBootOptions, kHeadingOsTargetTemplate,
    kHeadingSetupRamdiskOptions, kHeadingBootApplication, kHeadingInheritedSettings,
    kHeadingLegacySetupLoader, kHeadingLegacyLoaderApplication, kHeadingRealmodeApplication,
    kHeadingKernelDebuggerSettings, kHeadingUnknownEntryType,
};
enum ToolError {
    kErrorStoreOpenFailed, kErrorEntryReferenceFailed, kErrorElementNotRecognized,
    kErrorSetCommandInvalid, kErrorSetElementFailed, kErrorEntryIdentifierInvalid,
    kErrorDeleteElementFailed, kErrorDeleteEntryFailed, kErrorDeviceInvalid, kErrorUnknownCommand,
    kErrorInvalidSwitch, kErrorReadDisplayOrderFailed, kErrorModifyDisplayOrderFailed,
    kErrorExportFailed, kErrorImportFailed, kErrorDebug1394Unsupported,
};
enum SystemMessage {
    kSystemAccessDenied, kSystemInvalidParameter, kSystemFileNotFound, kSystemElementNotFound,
    kSystemSecureBootProtected, kSystemPathNotFound, kSystemVolumeExternallyAltered,
};

struct ToolLanguage {
    const char* name;            // "de-DE"
    int oemCodePage;
    int ansiCodePage;
    const char* toolLanguage;    // whose tool texts it prints ("en-US" for most)
    const char* identifierLabel; // null: the tool language's
    const char* copied;          // the copy sentence, "%s" for the identifier
    const char* created;         // the create sentence, "%s" for the identifier
    const char* success;         // the system's success line
    const char* const* headings; // by ToolHeading; null entries: the tool language's
    const char* const* errors;   // by ToolError, lines joined with CR LF
    const char* const* system;   // by SystemMessage
};

extern const ToolLanguage kToolLanguages[];
extern const size_t kToolLanguageCount;

// A language by name, without regard to case; null when unknown.
const ToolLanguage* FindToolLanguage(const std::string& name);
// The language whose tool texts `language` prints (itself, en-US, ...).
const ToolLanguage& ToolTextsOf(const ToolLanguage& language);
