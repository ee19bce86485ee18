#pragma once
#include <string>
#include <vector>

class CStoreModel;

// The model in a stable, line-oriented form for scripts:
//   object KIND IDENTIFIER [DESCRIPTION]     (KIND bootmanager, loader, debugger; "-" for no id)
//     NAME = VALUE | VALUE ...
//   message TEXT                             (newlines written as \n)
std::string DumpStoreModel(const CStoreModel& model, const std::vector<std::string>& messages);

// Builds the model from saved "/ENUM /V" (and optionally "/DBGSETTINGS")
// output exactly as the program does, and dumps it. Without a boot manager
// section, `failure` (when given) says why, as the program would.
std::string DumpSavedOutput(const std::string& enumText, const std::string* debugText,
                            std::string* failure = nullptr);
