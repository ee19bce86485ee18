#pragma once
#include <string>
#include <vector>

// The loader list's note on an entry: "Default, running now", "Default",
// "Running now", or empty; ", starts in safe mode" (or "Starts in safe
// mode") after it for an entry that does.
std::string EntryMarkText(bool isDefault, bool isRunning, bool safeMode = false);

// Notes joined as one: "Default, next start only, not in a menu"; the
// first keeps its capital, the others begin in lower case.
std::string JoinNotes(const std::vector<std::string>& notes);
// An entry as messages name it: "\"Windows 10\" {id}", or the identifier alone.
std::string EntryName(const std::string& description, const std::string& identifier);

// The question asked before an entry is deleted, naming the entry, and
// saying so when it is the default or the Windows that is running now.
std::string DeleteEntryQuestion(const std::string& description, const std::string& identifier,
                                bool isDefault, bool isRunning);
