#pragma once
#include <windows.h>

#include <string>

#include "winexec/RestartWindows.h"

// After a one-time start was set: "Restart now?", No the default. Yes asks
// `restart`; its refusal is told. True when the restart was asked for.
bool AskToRestartNow(HWND owner, const std::string& entryName, const RestartRequest& restart);
