#pragma once
#include <functional>
#include <string>
#include <vector>

// Runs the tool with an argument string and returns what it printed. The
// program's runs go to BCDEDIT.EXE; tests answer from a simulator.
using ToolRun = std::function<std::string(const std::string& arguments)>;

// A run with its outcome: whether the tool started, and its exit code,
// which says whether a command succeeded in any display language.
struct ToolAnswer {
    std::string text;
    bool started = false;
    unsigned long exitCode = 1;
    // Seconds after which the user ended a tool that did not finish; 0 for
    // a run that came to its own end. An ended command may or may not have
    // changed the store.
    unsigned long endedAfterSeconds = 0;
};

// What is known of an ended run, for the user and the history.
inline std::string EndedRunText(unsigned long seconds)
{
    return "ended after " + std::to_string(seconds) + " s: outcome unknown";
}
using AnsweredToolRun = std::function<ToolAnswer(const std::string& arguments)>;
// An answer still to come: asking for it waits for the end of its run, and
// asking again gives the same answer.
using PendingAnswer = std::function<ToolAnswer()>;
// Several reads started at once, without waiting for them; each answer in
// the order of its command.
using ToolStartReads = std::function<std::vector<PendingAnswer>(const std::vector<std::string>& arguments)>;

// The one place where an answer counts as success: the tool started and
// exited with 0, as scripts judge it. Its success line is translated in
// every language pack, so its words do not decide.
inline bool AnswerSucceeded(const ToolAnswer& answer)
{
    return answer.started && answer.exitCode == 0 && answer.endedAfterSeconds == 0;
}

// A runner that gives only text, as one whose every run started and
// succeeded (tests, fuzzers and saved output).
inline AnsweredToolRun AnsweredAsSucceeded(ToolRun run)
{
    return [text = std::move(run)](const std::string& arguments) {
        ToolAnswer answer;
        answer.text = text(arguments);
        answer.started = true;
        answer.exitCode = 0;
        return answer;
    };
}
