#pragma once
#include <windows.h>

#include <string>

// Sent to the main window as a run of BCDEDIT.EXE begins (wParam TRUE,
// lParam the status text as const char*) and ends (wParam FALSE).
extern const UINT WM_KEYSTAVE_TOOL_BUSY;
// Asked of the main window, by name, from outside: the number of runs in
// progress. It is answered where the window takes messages: between two
// runs of one step it is not answered at all, and 0 means the step is over.
extern const UINT WM_KEYSTAVE_TOOL_RUNNING;

// The program's wait for a run of the tool, on the window's thread: the
// windows keep painting and can be moved, but take no clicks or keys; after
// the time-out the user is asked whether to wait on or end it. True once
// the tool ended by itself, false when it is to be ended.
bool WaitForTool(HANDLE process, const std::string& arguments);
// Asks the run in progress to end (the main window closing during it).
void RequestToolEnd();
// 60 seconds, or what KEYSTAVE_TOOL_TIMEOUT says.
unsigned long ToolTimeoutSeconds();
// What the status line says while a command runs.
std::string ToolStatusText(const std::string& arguments);
