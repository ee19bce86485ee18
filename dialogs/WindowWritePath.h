#pragma once
#include <windows.h>

#include "exec/CSession.h"
#include "exec/CWritePath.h"

// The write path of one window: commands go to BCDEDIT.EXE; a refused
// command is told in a message box, a failed one in the command output
// window, both owned by `owner`, which is disabled while they are open.
// Every run goes through `session`, which the window was handed.
CWritePath WindowWritePath(CSession& session, HWND owner);
// The same for a window that tells of a refused or failed command itself,
// in one message with the rest of what it has to say.
CWritePath QuietWindowWritePath(CSession& session, HWND owner);
