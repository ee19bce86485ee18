#pragma once

// The tool's own words, as it prints them on failure (CR LF between lines).
#define SIM_HELP_HINT "Run \"bcdedit /?\" for command line assistance.\r\n"

constexpr const char* kStoreMissing =
    "The boot configuration data store could not be opened.\r\n"
    "The system cannot find the file specified.\r\n";
constexpr const char* kStoreCorrupt =
    "The boot configuration data store could not be opened.\r\n"
    "The volume for a file has been externally altered so that the opened file is no longer "
    "valid.\r\n";
constexpr const char* kStoreDenied =
    "The boot configuration data store could not be opened.\r\n"
    "Access is denied.\r\n";
constexpr const char* kStoreExportFailed =
    "The store export operation has failed.\r\n"
    "The parameter is incorrect.\r\n";
constexpr const char* kStoreImportFailed =
    "The store import operation has failed.\r\n"
    "The parameter is incorrect.\r\n";
constexpr const char* kStoreSwitchWithoutFile =
    "Invalid command line switch: /store\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kStoreNotCreated =
    "The boot configuration data store could not be created.\r\n"
    "The file exists.\r\n";
constexpr const char* kStoreWriteFailed =
    "The boot configuration data store could not be written.\r\n"
    "Access is denied.\r\n";
constexpr const char* kIdentifierInvalid =
    "The entry identifier specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kEntryMissing =
    "An error occurred while attempting to reference the specified entry.\r\n"
    "The system cannot find the file specified.\r\n";
constexpr const char* kElementUnknown =
    "The element data type specified is not recognized, or does not apply to the specified "
    "entry.\r\n" SIM_HELP_HINT "Element not found.\r\n";
constexpr const char* kSetInvalid =
    "The set command specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kIntegerInvalid =
    "The integer data is not valid as specified.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kDeviceInvalid =
    "The device is not valid as specified.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
// What the tool says when Secure Boot guards an element (for "/set" and
// "/deletevalue" alike).
constexpr const char* kSecureBootProtected =
    "An error has occurred setting the element data.\r\n"
    "The value is protected by Secure Boot policy and cannot be modified or deleted.\r\n";
constexpr const char* kDeleteValueFailed =
    "An error occurred while attempting to delete the specified data element.\r\n"
    "Element not found.\r\n";
constexpr const char* kDeleteProtected =
    "The specified entry cannot be deleted.\r\n"
    "Use /f to delete a well-known entry.\r\n";
constexpr const char* kCopyInvalid =
    "The copy command specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kDebugSettingsInvalid =
    "The debugger settings specified are not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kDisplayOrderInvalid =
    "The display order command specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kBootSequenceInvalid =
    "The boot sequence command specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kCreateInvalid =
    "The create command specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kEntryExists =
    "An object with the specified identifier already exists.\r\n"
    "Cannot create a file when that file already exists.\r\n";
constexpr const char* kSetRefused =
    "An error has occurred setting the element data.\r\n"
    "Access is denied.\r\n";
constexpr const char* kNoSuchDevice = "A device which does not exist was specified.\r\n";
constexpr const char* kNoMatchingObjects = "There are no matching objects or the store is empty.\r\n";
constexpr const char* kEnumTypeInvalid =
    "The enumeration type specified is not valid.\r\n" SIM_HELP_HINT
    "The parameter is incorrect.\r\n";
constexpr const char* kSwitchInvalid =
    "The parameter is incorrect.\r\n" SIM_HELP_HINT;
constexpr const char* kOperationSucceeded = "The operation completed successfully.\r\n";
constexpr const char* kExportFailed =
    "The store export operation has failed.\r\n"
    "Access is denied.\r\n";
constexpr const char* kExportPathMissing =
    "The store export operation has failed.\r\n"
    "The system cannot find the path specified.\r\n";
constexpr const char* kImportFileMissing =
    "The store import operation has failed.\r\n"
    "The system cannot find the file specified.\r\n";
constexpr const char* kImportFileInvalid =
    "The store import operation has failed.\r\n"
    "The volume for a file has been externally altered so that the opened file is no longer "
    "valid.\r\n";
