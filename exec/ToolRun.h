#pragma once
#include <functional>
#include <string>

// Runs the tool with an argument string and returns what it printed. The
// program's runs go to BCDEDIT.EXE; tests answer from a simulator.
using ToolRun = std::function<std::string(const std::string& arguments)>;

// A run with its outcome: whether the tool started, and its exit code,
// which says whether a command succeeded in any display language.
struct ToolAnswer {
    std::string text;
    bool started = false;
    unsigned long exitCode = 1;
};
using AnsweredToolRun = std::function<ToolAnswer(const std::string& arguments)>;
