#pragma once
#include <functional>
#include <string>

// Runs the tool with an argument string and returns what it printed. The
// program's runs go to BCDEDIT.EXE; tests answer from a simulator.
using ToolRun = std::function<std::string(const std::string& arguments)>;
