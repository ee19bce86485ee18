#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "exec/ToolRun.h"

// Runs `tool` (found by the system's search for a bare program name; a
// 32-bit build on 64-bit Windows falls back on the system's own 64-bit copy)
// as a hidden child with `arguments`; the child inherits only the pipe's
// write end. Everything it wrote to its standard
// output and standard error comes back in arrival order, turned from the
// console's OEM code page into the program's ANSI code page, with whether it
// started and its exit code. A tool that cannot be started, or a command
// line that would not fit the 1024-byte buffer, gives empty text.
ToolAnswer RunTool(const std::string& tool, const std::string& arguments);
// How a run waits for the child, on the thread that started it: true once
// `process` has ended, false when the user chose to end it (it is then
// terminated, and the answer says after how long). The output is read
// beside it, so that neither the child nor the wait stalls on a full pipe.
using RunWaiter = std::function<bool(HANDLE process, const std::string& arguments)>;
// The program's waiter (its window keeps answering and offers a way out);
// without one a run waits until the child ends.
void SetRunWaiter(RunWaiter waiter);

// The text alone.
std::string ToolRunner(std::string tool, std::string arguments);

// Which BCDEDIT.EXE runs: the file KEYSTAVE_TOOL names; else the system's
// own, by its full path (Sysnative from a 32-bit process on 64-bit
// Windows); under Wine, which has none, the simulator beside the program.
// Never one found by searching the program's or the current folder.
std::string BcdeditPath();
// Whether that is the system's own tool, whose store is this PC's.
bool RunsSystemTool();
// A run of that tool, its command line counted as "BCDEDIT.EXE <arguments>".
ToolAnswer RunBcdedit(const std::string& arguments);
// Reads that do not depend on each other, all started at once; each answer
// waits for its own run when asked for. A run nobody asked for is ended
// when the last copy of its answer goes.
std::vector<PendingAnswer> StartBcdeditReads(const std::vector<std::string>& arguments);


// Text a console child wrote, in the program's code page. A character the
// ANSI code page has no form for becomes '?': never a look-alike, which
// would be written back as another character.
std::string ConsoleTextToAnsi(const std::string& oem);
// The program's compiled-in UTF-8 texts in its ANSI code page.
std::string Utf8ToAnsi(const std::string& utf8);
