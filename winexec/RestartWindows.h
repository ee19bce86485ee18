#pragma once
#include <functional>
#include <string>

// Asks Windows to restart; false, with the reason in `failure`, when it
// would not. Windows take the request they use, so tests put their own.
using RestartRequest = std::function<bool(std::string& failure)>;

// The program's: a planned restart with the shutdown privilege. When
// KEYSTAVE_RESTART_LOG names a file, a line is added to it instead; when
// the tool run is not the system's BCDEDIT.EXE (the simulator), nothing
// restarts, as the store that was changed is not this PC's.
bool RequestRestart(std::string& failure);
