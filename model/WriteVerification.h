#pragma once
#include <functional>
#include <string>
#include <vector>

#include "exec/ToolCommand.h"

class CStoreModel;

// A confirmed change that the store, read again, does not show.
struct WriteMismatch {
    std::string identifier;
    std::string description;
    std::string element;
    std::vector<std::string> sent;
    std::vector<std::string> shown;
    bool missing = false;  // the element is not there at all
};

// Resolves a well-known name such as "{current}" to the entry's GUID;
// empty when it cannot tell.
using IdentifierResolver = std::function<std::string(const std::string& name)>;

// Whether a value as sent and a value as the tool prints it are the same:
// without regard to case or outer blanks, "on" as "Yes", 30 as 0x1e, and a
// well-known name as the entry it names (a name it cannot resolve agrees).
bool ValuesAgree(const std::string& sent, const std::string& shown, const IdentifierResolver& resolve);

// Each change compared with what the model read afterwards; entries the
// listing does not show cannot be checked and are left out.
std::vector<WriteMismatch> CheckChanges(const std::vector<ElementChange>& changes,
                                        const CStoreModel& model, const std::string& runningEntry);

// What the user is told of them.
std::string MismatchMessage(const std::vector<WriteMismatch>& mismatches);
