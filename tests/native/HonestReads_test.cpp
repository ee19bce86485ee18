// What the program takes from an answer of the tool, and what it never
// takes: success lines in any bytes, listings that failed, identifiers under
// translated labels, changes noted under another name of the same entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "common/CGatheredNotices.h"
#include "common/FileText.h"
#include "common/TextEncoding.h"
#include "exec/CSession.h"
#include "exec/CWritePath.h"
#include "exec/ToolWords.h"
#include "model/StoreReadFailure.h"
#include "model/WriteVerification.h"
#include "sim/CSimStore.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/NoticeRecorder.h"
#include "tests/native/Samples.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


class HonestReads : public WithSampleSimulator {
protected:
    // A model whose tool answers every command with `answer`.
    CStoreModel Answering(const ToolAnswer& answer)
    {
        return CStoreModel([answer](const std::string&) { return answer; });
    }

    NoticeRecorder recorder;
};

}  // namespace

TEST_F(HonestReads, TheLastLineOfADebuggerAnswerThatSucceededIsItsSuccessLineInAnyBytes)
{
    // Polish and Japanese language packs on US code pages: their success
    // lines arrive with '?' (or best fits) for the letters 437 lacks.
    for (const char* success : {"Operacja uko?czona pomy?lnie.", "Operacja ukonczona pomyslnie.",
                                "??????????????", "The operation completed successfully."}) {
        recorder.notices.clear();
        ToolAnswer answer{std::string("debugtype               Local\r\ndebugport               1\r\n") +
                              success + "\r\n\r\n",
                          true, 0};
        CStoreModel model = Answering(answer);
        model.RefreshDebugSettings();
        ASSERT_NE(model.GetDebugSettings(), nullptr);
        EXPECT_EQ(model.GetDebugSettings()->GetItems().size(), 2u) << success;
        EXPECT_TRUE(recorder.notices.empty()) << success << ": no box at start";
    }
    // Positive control: the same line in an answer that failed is no
    // success line, and is read (and told) as an element it does not know.
    ToolAnswer failed{"debugtype               Local\r\nOperacja uko?czona pomy?lnie.\r\n", true, 1};
    CStoreModel model = Answering(failed);
    model.RefreshDebugSettings();
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_NE(recorder.notices[0].find("Operacja"), std::string::npos);
}

TEST_F(HonestReads, AListingThatFailedIsReadWithTheToolsWordsAndNeverTakenForTheWholeStore)
{
    // Step 1: the whole listing, then an error line and exit code 1, as a
    // real PC whose entry names a deleted partition prints it.
    std::string listing = ReadSample("enum_firmware_pt-BR_listing_then_error_exit1_device_unknown.txt");
    CStoreModel failed = Answering(ToolAnswer{listing, true, 1});
    failed.EnumerateStore();
    EXPECT_FALSE(failed.IsListingComplete());
    EXPECT_EQ(failed.GetListingWords(), std::vector<std::string>{"Foi especificado um dispositivo inexistente."});
    for (const std::string& notice : recorder.notices)
        EXPECT_EQ(notice.find("Foi"), std::string::npos) << "the tool's words are no element: " << notice;
    std::string said = IncompleteListingNotice(1, failed.GetListingWords());
    EXPECT_EQ(said, "The listing may be incomplete (exit code 1): Foi especificado um dispositivo inexistente.");
    // Positive control: with exit code 0 the same text is the whole store.
    CStoreModel whole = Answering(ToolAnswer{listing, true, 0});
    whole.EnumerateStore();
    EXPECT_TRUE(whole.IsListingComplete());
    EXPECT_TRUE(whole.GetListingWords().empty());

    // Step 2: a listing cut off in the middle of an entry, without words.
    std::string full = simulator.Execute({"/ENUM", "/V"}).out;
    size_t cut = full.find("Windows Boot Loader");
    ASSERT_NE(cut, std::string::npos);
    cut = full.find("description", cut);
    CStoreModel partial = Answering(ToolAnswer{full.substr(0, full.find("\r\n", cut) + 2), true, 1});
    partial.EnumerateStore();
    EXPECT_FALSE(partial.IsListingComplete());
    EXPECT_TRUE(partial.GetListingWords().empty()) << "an element line is no word of the tool";
    ASSERT_NE(partial.GetBootManager(), nullptr);
    EXPECT_EQ(partial.GetLoaders().size(), 1u);
    EXPECT_EQ(IncompleteListingNotice(1, {}), "The listing may be incomplete: BCDEDIT.EXE ended with exit code 1.");

    // Step 3: what the user is told when nothing usable came back.
    EXPECT_EQ(StoreReadFailure("", ToolAnswer{"", false, 1}), "BCDEDIT.EXE could not be started.");
    EXPECT_EQ(StoreReadFailure(" \r\n", ToolAnswer{"", true, 0}),
              "BCDEDIT.EXE ended without printing anything (exit code 0).");
    std::string endless(400, 'x');
    std::string noLineEnds = StoreReadFailure(endless, ToolAnswer{"", true, 3});
    EXPECT_EQ(noLineEnds.rfind("BCDEDIT.EXE printed text without line ends (exit code 3):", 0), 0u)
        << noLineEnds;
    EXPECT_LT(noLineEnds.size(), 400u) << "a long text is cut for the box";
    EXPECT_EQ(StoreReadFailure("Access is denied.\r\n", ToolAnswer{"", true, 1}),
              "The boot configuration could not be read. BCDEDIT.EXE said:\n\nAccess is denied.");
}

TEST_F(HonestReads, TheRunningEntryIsFoundUnderTheIdentifierLabelOfAnyLanguage)
{
    for (const char* label : {"identifier", "Bezeichner", "identificateur", "identificador", "???"}) {
        std::vector<std::string> lines = {"Windows Boot Loader", "-------------------",
                                          std::string(label) + "              {5D8A3F2E-1C4B-11EF-9A7D-806E6F6E6963}",
                                          "device                  partition=C:"};
        EXPECT_EQ(RunningEntryFromOutput(lines), kWin11) << label;
    }
    // The first line under the heading alone: another element's GUID is not it.
    EXPECT_EQ(RunningEntryFromOutput({"Chargeur", "--------", "identificateur    {current}",
                                      "resumeobject      {5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}"}),
              "");
    // The French copy sentence with '?' for its apostrophe (code page 850)
    // still names the copy.
    EXPECT_EQ(CopiedIdentifierInAnyLanguage(
                  {FromUtf8("L?entr\xc3\xa9" "e a \xc3\xa9t\xc3\xa9 correctement copi\xc3\xa9" "e dans {0a1b}.")}),
              "{0a1b}");
}

TEST_F(HonestReads, ChangesUnderAnotherNameOfTheSameEntryAreSettledByTheLastOfThem)
{
    CSession session(SimulatorAnsweredRun(simulator), [] { return LocalTime{}; });
    WriteFeedback feedback;
    feedback.confirmed = [&](const ElementChange& change) { session.NoteChange(change); };
    CWritePath path([&](const std::string& arguments) { return session.Run(arguments); }, feedback);
    CStoreModel model(SimulatorAnsweredRun(simulator));

    // Added under the listing's GUID, deleted under "{current}": nothing to check.
    ASSERT_TRUE(path.Run(SetValueCommand(kWin11, "sos", "yes")).succeeded);
    ASSERT_TRUE(path.Run(DeleteValueCommand("{current}", "sos")).succeeded);
    model.EnumerateStore();
    EXPECT_TRUE(CheckChanges(session.TakeChanges(), model, kWin11).empty());
    // Positive control: the addition alone is checked, and the store shows it.
    ASSERT_TRUE(path.Run(SetValueCommand(kWin11, "sos", "yes")).succeeded);
    store.ignoreSet = true;
    ASSERT_TRUE(path.Run(SetValueCommand("{current}", "bootlog", "yes")).succeeded);
    model.EnumerateStore();
    std::vector<WriteMismatch> found = CheckChanges(session.TakeChanges(), model, kWin11);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].identifier, kWin11);
    EXPECT_EQ(found[0].element, "bootlog");
    store.ignoreSet = false;

    // "{default}" names the default loader, not the boot manager: a change
    // made there is checked against the loader.
    ASSERT_TRUE(path.Run(SetValueCommand("{default}", "description", "Daily")).succeeded);
    model.EnumerateStore();
    EXPECT_TRUE(CheckChanges(session.TakeChanges(), model, kWin11).empty());
    store.ignoreSet = true;
    ASSERT_TRUE(path.Run(SetValueCommand("{default}", "description", "Weekly")).succeeded);
    model.EnumerateStore();
    found = CheckChanges(session.TakeChanges(), model, kWin11);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].identifier, kWin11);
    EXPECT_EQ(found[0].shown, std::vector<std::string>{"Daily"});

    // A "/set" the tool did not confirm is not noted as if it were.
    store.ignoreSet = false;
    EXPECT_FALSE(path.Run(SetValueCommand("{00000000-0000-0000-0000-000000000009}", "sos", "yes")).succeeded);
    EXPECT_TRUE(session.TakeChanges().empty());
    EXPECT_TRUE(path.Run(SetValueCommand(kWin10, "sos", "yes")).succeeded);
    EXPECT_EQ(session.TakeChanges().size(), 1u) << "a confirmed one is";
}

TEST(SimulatorParallelWriters, NoReportedSuccessIsLost)
{
    std::string path = ::testing::TempDir() + "keystave-parallel-store.txt";
    ASSERT_TRUE(WriteStoreAtomically(path, kSampleStoreText));
    const int writers = 40;
    std::atomic<int> reported{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < writers; ++i)
        threads.emplace_back([&, i] {
            SimRunResult result = RunSimulatorOnFile(
                {"/set", kWin10, "custom:2600" + std::to_string(1000 + i), "yes"}, path, false);
            if (result.err.empty())
                ++reported;
        });
    for (std::thread& thread : threads)
        thread.join();
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    CSimStore written;
    std::string error;
    ASSERT_TRUE(written.Parse(text, error)) << error;
    int stored = 0;
    for (int i = 0; i < writers; ++i)
        stored += written.FindByGuid(kWin10)->Find("custom:2600" + std::to_string(1000 + i)) != nullptr;
    EXPECT_EQ(reported.load(), writers);
    EXPECT_EQ(stored, reported.load()) << "every reported success is in the store";
    std::remove(path.c_str());
    std::remove((path + ".lock").c_str());
}

TEST_F(HonestReads, ARefreshTellsItsNoticesOnceAndNeverAgain)
{
    CGatheredNotices::ForgetToldNotices();
    std::string answer = "debugtype               Local\r\n";
    for (int i = 0; i < 200; ++i)
        answer += "oddity" + std::to_string(i) + "                 x\r\n";
    answer += "The operation completed successfully.\r\n";
    CStoreModel model = Answering(ToolAnswer{answer, true, 0});
    {
        CGatheredNotices gathered;
        model.RefreshDebugSettings();
        EXPECT_TRUE(recorder.notices.empty()) << "nothing is told while the read runs";
    }
    ASSERT_EQ(recorder.notices.size(), 1u) << "200 unknown lines, one message";
    const std::string& told = recorder.notices[0];
    EXPECT_NE(told.find("200 notices"), std::string::npos) << told;
    EXPECT_NE(told.find("Unsupported Debug Identifier: oddity0, ignoring"), std::string::npos) << told;
    EXPECT_NE(told.find("... and 185 more."), std::string::npos) << told;
    EXPECT_EQ(told.find("oddity199"), std::string::npos) << "the list is cut";
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 19) << "the common last line once:\n" << told;
    ASSERT_NE(model.GetDebugSettings(), nullptr);
    EXPECT_EQ(model.GetDebugSettings()->GetItems().size(), 1u);

    // The next refresh has nothing new to tell; a new line is told alone.
    {
        CGatheredNotices gathered;
        model.RefreshDebugSettings();
    }
    EXPECT_EQ(recorder.notices.size(), 1u) << "no notice is told twice in a session";
    CStoreModel changed = Answering(ToolAnswer{"novelty                 x\r\n" + answer, true, 0});
    {
        CGatheredNotices gathered;
        changed.RefreshDebugSettings();
    }
    ASSERT_EQ(recorder.notices.size(), 2u);
    EXPECT_EQ(recorder.notices[1].rfind("Unsupported Debug Identifier: novelty, ignoring", 0), 0u)
        << recorder.notices[1];
    CGatheredNotices::ForgetToldNotices();
}
