#pragma once
#include <string>

#include "exec/ToolRun.h"

// Runs `tool` (found by the system's search for a bare program name) as a
// hidden child with `arguments`, and returns everything it wrote to its
// standard output and standard error, in arrival order, unchanged. A tool
// that cannot be started, or a command line that would not fit the
// 1024-byte buffer, gives empty text: callers treat that as failure.
std::string ToolRunner(std::string tool, std::string arguments);

// Runs of BCDEDIT.EXE, for the model and the windows that take a runner.
ToolRun BcdeditToolRun();
