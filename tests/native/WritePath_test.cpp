#include <gtest/gtest.h>

#include "exec/CSession.h"
#include "exec/CWritePath.h"
#include "sim/SimStoreFile.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


// A write path over a simulator of the sample store that records what the
// calling window would have been asked to show.
class WritePath : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
    }
    CWritePath Path()
    {
        WriteFeedback feedback;
        feedback.refused = [this](const std::string& reason) { refusals.push_back(reason); };
        feedback.failed = [this](const std::string& arguments, const std::vector<std::string>& lines) {
            failures.push_back(arguments);
            failedLines = lines;
        };
        return CWritePath(SimulatorAnsweredRun(simulator, &sent), feedback);
    }

    CSimStore store;
    CSimulator simulator{store};
    std::vector<std::string> sent, refusals, failures, failedLines;
};

}  // namespace

TEST_F(WritePath, ARefusedCommandRunsNothingAndSaysWhy)
{
    WriteResult result = Path().Run(SetValueCommand(kWin10, "description", "say \"hi\""));
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.succeeded);
    EXPECT_TRUE(sent.empty()) << "the tool never ran";
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_NE(refusals[0].find("quote"), std::string::npos) << refusals[0];
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("description")->values[0], "Windows 10 Pro");
}

TEST_F(WritePath, AConfirmedCommandChangesTheStoreAndShowsNothing)
{
    WriteResult result = Path().Run(SetValueCommand(kWin10, "description", "My Windows"));
    EXPECT_TRUE(result.sent);
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(sent, std::vector<std::string>{std::string("/set ") + kWin10 + " description \"My Windows\""});
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("description")->values[0], "My Windows")
        << "one argument, blanks and all";
    EXPECT_TRUE(refusals.empty());
    EXPECT_TRUE(failures.empty());

    // A copy is judged by its own sentence and names the new entry.
    simulator.SetGuidSource([] { return std::string("{11111111-2222-3333-4444-555555555555}"); });
    WriteResult copy = Path().Run(CopyEntryCommand(kWin10, "Copy of My Windows"), AnswerKind::Copy);
    EXPECT_TRUE(copy.succeeded);
    EXPECT_EQ(copy.copiedIdentifier, "{11111111-2222-3333-4444-555555555555}");
    EXPECT_TRUE(failures.empty());

    // The exit code decides, not the words: a German success line with 0 is
    // a success, an English one with 1 a failure; a German copy sentence
    // names the copy.
    ToolAnswer german{"Der Eintrag wurde erfolgreich in {abc} kopiert.\r\n", true, 0};
    CWritePath translated([&](const std::string&) { return german; }, WriteFeedback{});
    WriteResult copied = translated.Run(CopyEntryCommand(kWin10, "x"), AnswerKind::Copy);
    EXPECT_TRUE(copied.succeeded);
    EXPECT_EQ(copied.copiedIdentifier, "{abc}");
    ToolAnswer contradicting{"The operation completed successfully.\r\n", true, 1};
    EXPECT_FALSE(AnswerSucceeded(contradicting));
    ToolAnswer notStarted{"", false, 0};
    EXPECT_FALSE(AnswerSucceeded(notStarted));
}

TEST_F(WritePath, AFailureAsksForTheOutputWindowWithTheCommandAndTheToolsLines)
{
    const char* const gone = "{00000000-0000-0000-0000-000000000001}";
    WriteResult result = Path().Run(DeleteEntryCommand(gone));
    EXPECT_TRUE(result.sent);
    EXPECT_FALSE(result.succeeded);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], std::string("/DELETE ") + gone + " /cleanup");
    ASSERT_EQ(failedLines.size(), 2u);
    EXPECT_EQ(failedLines[0], "An error occurred while attempting to reference the specified entry.");
    EXPECT_EQ(result.lines, failedLines);

    // A tool that could not be started printed nothing: a failure too.
    failures.clear();
    WriteFeedback onlyFailures;
    onlyFailures.failed = [this](const std::string& arguments, const std::vector<std::string>& lines) {
        failures.push_back(arguments);
        EXPECT_TRUE(lines.empty());
    };
    CWritePath silent([](const std::string&) { return ToolAnswer{}; }, onlyFailures);
    EXPECT_FALSE(silent.Run(DeleteValueCommand(kWin10, "nx")).succeeded);
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(WritePath, APlanStopsAtTheFirstCommandNotMadeAndSaysWhy)
{
    std::vector<ToolCommand> plan = {SetValueCommand(kWin10, "description", "One"),
                                     SetValueCommand(kWin10, "nx", "NoSuchWord"),
                                     SetValueCommand(kWin10, "description", "Two")};
    WritesOutcome outcome = ApplyWrites(Path(), plan);
    EXPECT_EQ(outcome.made, 1u);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(outcome.sent);
    ASSERT_FALSE(outcome.words.empty());
    EXPECT_EQ(outcome.words.front(), "The set command specified is not valid.");
    EXPECT_EQ(sent.size(), 2u) << "nothing after the failure";
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("description")->values[0], "One");

    // A command refused before running says why, and was not sent.
    outcome = ApplyWrites(Path(), {SetValueCommand(kWin10, "description", "a \"quote\"")});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_FALSE(outcome.sent);
    ASSERT_EQ(outcome.words.size(), 1u);
    EXPECT_NE(outcome.words[0].find("quote"), std::string::npos) << outcome.words[0];
    // One stopped before running (no backup, and no going on without): its reason.
    WriteFeedback declining;
    declining.beforeRun = [](const std::string&) { return false; };
    outcome = ApplyWrites(CWritePath(SimulatorAnsweredRun(simulator), declining),
                          {SetValueCommand(kWin10, "description", "Three")});
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.words, std::vector<std::string>{kNotSentWithoutBackup});
    // All made: nothing stopped.
    outcome = ApplyWrites(Path(), {SetValueCommand(kWin10, "description", "Four")});
    EXPECT_FALSE(outcome.stopped);
    EXPECT_EQ(outcome.made, 1u);
}

TEST_F(WritePath, ACommandTheUserEndedStopsThePlanAndItsOutcomeIsUnknown)
{
    // The second command "hangs" and is ended by the user after 60 s.
    AnsweredToolRun simulated = SimulatorAnsweredRun(simulator, &sent);
    int runs = 0;
    CSession session(
        [&](const std::string& arguments) {
            if (++runs == 2) {
                sent.push_back(arguments);
                ToolAnswer ended;
                ended.started = true;
                ended.exitCode = 0;  // even a zero would not make it a success
                ended.endedAfterSeconds = 60;
                return ended;
            }
            return simulated(arguments);
        },
        [] { return LocalTime{2026, 12, 7, 10, 15, 0}; });
    WriteFeedback feedback;
    feedback.failed = [this](const std::string& arguments, const std::vector<std::string>& lines) {
        failures.push_back(arguments);
        failedLines = lines;
    };
    std::vector<ToolCommand> plan = {SetValueCommand(kWin10, "description", "One"),
                                     SetValueCommand(kWin10, "nx", "AlwaysOn"),
                                     SetValueCommand(kWin10, "description", "Two")};
    WritesOutcome outcome = ApplyWrites(CWritePath(RunThrough(session), feedback), plan);
    EXPECT_EQ(outcome.made, 1u);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(sent.size(), 2u) << "nothing after the ended command";
    ASSERT_EQ(failures.size(), 1u) << "one window for the ended command";
    ASSERT_FALSE(failedLines.empty());
    EXPECT_NE(failedLines.back().find("ended after 60 s: outcome unknown"), std::string::npos)
        << failedLines.back();

    const std::vector<HistoryEntry>& history = session.History().Entries();
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].outcome, CommandOutcome::Succeeded);
    EXPECT_EQ(history[1].outcome, CommandOutcome::Unknown);
    EXPECT_STREQ(OutcomeText(history[1].outcome), "outcome unknown");
    ASSERT_FALSE(history[1].words.empty());
    EXPECT_EQ(history[1].words.back(), "ended after 60 s: outcome unknown");
    // A script replays what is known to be made, not what may be.
    std::string script = session.History().Script("2026-12-07");
    EXPECT_NE(script.find("One"), std::string::npos);
    EXPECT_EQ(script.find("AlwaysOn"), std::string::npos) << script;
}
