#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "exec/BackupFiles.h"
#include "exec/CSession.h"
#include "exec/CWritePath.h"
#include "exec/SplitToolOutput.h"
#include "model/EntryMarks.h"
#include "model/WriteVerification.h"
#include "sim/SimStoreFile.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {


// A session over a simulator of the sample store whose exported files are
// kept in memory, with a clock that ticks a second a call.
class SafetyNet : public WithSampleSimulator {
protected:
    void SetUp() override
    {
        WithSampleSimulator::SetUp();
        CSimulator::Files inMemory;
        inMemory.write = [this](const std::string& path, const std::string& text) {
            if (path.find("nowhere") != std::string::npos)
                return false;
            files[path] = text;
            return true;
        };
        inMemory.read = [this](const std::string& path, std::string& text) {
            auto found = files.find(path);
            if (found == files.end())
                return false;
            text = found->second;
            return true;
        };
        simulator.SetFiles(inMemory);
        session.SetBackupPlace(BackupPlace{
            [this](const LocalTime& now, std::string& why) {
                if (!backupFolder.empty())
                    return backupFolder + "\\" + BackupFileName(now);
                why = "The folder for backups could not be made.";
                return std::string();
            },
            [this] { ++prunes; },
            [this](const std::string& storeFile, const LocalTime& now, std::string& why) {
                if (backupFolder.empty() || storeFile.find("nowhere") != std::string::npos) {
                    why = "The store file could not be copied.";
                    return std::string();
                }
                std::string copy = backupFolder + "\\" + StoreCopyFileName(storeFile, now);
                copies.push_back(storeFile + " -> " + copy);
                return copy;
            }});
    }

    // The write path of a window, wired to the session as the program's is.
    CWritePath Path()
    {
        WriteFeedback feedback;
        feedback.refused = [this](const std::string& reason) { session.RecordRefusal({}, reason); };
        feedback.failed = [](const std::string&, const std::vector<std::string>&) {};
        feedback.beforeRun = [this](const std::string& arguments) {
            return session.ReadyToChange(arguments, [this](const std::vector<std::string>& lines) {
                askedWith = lines;
                ++questions;
                return goOnWithoutBackup;
            });
        };
        feedback.confirmed = [this](const ElementChange& change) { session.NoteChange(change); };
        return CWritePath([this](const std::string& arguments) { return session.Run(arguments); },
                          feedback);
    }

    std::vector<std::string> Sent() const
    {
        std::vector<std::string> sent;
        for (const HistoryEntry& entry : session.History().Entries())
            if (entry.outcome != CommandOutcome::Refused)
                sent.push_back(entry.arguments);
        return sent;
    }

    std::map<std::string, std::string> files;
    int seconds = 0;
    CSession session{SimulatorAnsweredRun(simulator), [this] {
                         LocalTime t{2026, 12, 7, 10, 15, 0};
                         t.second = seconds++ % 60;
                         return t;
                     }};
    std::string backupFolder = "C:\\Users\\Ann Lee\\AppData\\Local\\Keystave\\Backups";
    int prunes = 0;
    int questions = 0;
    bool goOnWithoutBackup = false;
    std::vector<std::string> askedWith;
    std::vector<std::string> copies;  // "store file -> copy"
};

// The lines of a script that begin with `prefix`: its commands.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

}  // namespace

TEST_F(SafetyNet, TheFirstChangeOfASessionIsPrecededByOneBackup)
{
    // Reads make no backup.
    session.Run("/ENUM /V");
    session.Run("/DBGSETTINGS");
    EXPECT_TRUE(files.empty());
    std::string before = store.Serialize();

    // Step 1: the first change exports the store, unchanged, first.
    ASSERT_TRUE(Path().Run(SetValueCommand(kWin10, "description", "Work")).succeeded);
    ASSERT_EQ(Sent().size(), 4u);
    EXPECT_EQ(Sent()[2], "/export \"C:\\Users\\Ann Lee\\AppData\\Local\\Keystave\\Backups\\"
                         "BCD-20261207-101502.bak\"");
    EXPECT_EQ(Sent()[3], std::string("/set ") + kWin10 + " description \"Work\"");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->second, before) << "the backup holds the store before the change";
    EXPECT_EQ(session.FirstBackup(), files.begin()->first);
    EXPECT_EQ(prunes, 1) << "old backups are cleaned up after a new one";

    // Step 2: further changes make no second backup, nor does Back Up Now
    // change which backup the session mentions.
    ASSERT_TRUE(Path().Run(DeleteValueCommand(kWin10, "pae")).succeeded);
    EXPECT_EQ(Sent().size(), 5u);
    BackupResult now = session.BackUp();
    EXPECT_TRUE(now.made);
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(session.FirstBackup(), Sent()[2].substr(9, Sent()[2].size() - 10));

    // Step 3: restoring the first backup gives the earlier store back exactly.
    ASSERT_TRUE(Path().Run(ImportStoreCommand(session.FirstBackup())).succeeded);
    EXPECT_EQ(store.Serialize(), before);
    EXPECT_EQ(questions, 0);
}

TEST_F(SafetyNet, WithoutABackupTheUserDecidesAndNoMeansNothingIsSent)
{
    store.exportFails = true;
    std::string before = store.Serialize();

    // No: the change is not sent, and the history says why.
    WriteResult result = Path().Run(SetValueCommand(kWin10, "description", "Work"));
    EXPECT_FALSE(result.sent);
    EXPECT_EQ(questions, 1);
    ASSERT_FALSE(askedWith.empty());
    EXPECT_EQ(askedWith[0], "The store export operation has failed.");
    EXPECT_EQ(store.Serialize(), before);
    ASSERT_EQ(session.History().Entries().size(), 2u);
    const HistoryEntry& stopped = session.History().Entries()[1];
    EXPECT_EQ(stopped.outcome, CommandOutcome::Refused);
    EXPECT_EQ(stopped.arguments, std::string("/set ") + kWin10 + " description \"Work\"");

    // The next change asks again; Yes sends it, and is not asked again.
    goOnWithoutBackup = true;
    EXPECT_TRUE(Path().Run(SetValueCommand(kWin10, "description", "Work")).succeeded);
    EXPECT_TRUE(Path().Run(DeleteValueCommand(kWin10, "pae")).succeeded);
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(session.FirstBackup().empty());
    EXPECT_TRUE(files.empty());

    // A missing folder is told in the program's words, and nothing runs.
    CSession other(SimulatorAnsweredRun(simulator), [] { return LocalTime{}; });
    other.SetBackupPlace(BackupPlace{[](const LocalTime&, std::string& why) {
                                         why = "no folder";
                                         return std::string();
                                     },
                                     nullptr});
    std::vector<std::string> told;
    EXPECT_FALSE(other.ReadyToChange("/set {bootmgr} timeout 5", [&](const std::vector<std::string>& lines) {
        told = lines;
        return false;
    }));
    EXPECT_EQ(told, std::vector<std::string>{"no folder"});
    EXPECT_EQ(other.History().Entries().size(), 1u) << "only the refusal: no export ran";
}

TEST_F(SafetyNet, TheHistoryKeepsEveryCommandAndItsScriptRedoesTheChanges)
{
    session.Run("/ENUM /V");
    Path().Run(SetValueCommand(kWin10, "description", "100% \"sure\""));  // refused: a quote
    Path().Run(SetValueCommand(kWin10, "description", "Work & Play 100%"));
    Path().Run(SetValueCommand("{00000000-0000-0000-0000-000000000000}", "description", "x"));
    Path().Run(SetListCommand("{bootmgr}", "displayorder", {kWin10, kWin11}));

    const std::vector<HistoryEntry>& entries = session.History().Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].time, "10:15:00");
    EXPECT_EQ(entries[0].outcome, CommandOutcome::Succeeded);
    EXPECT_EQ(entries[1].outcome, CommandOutcome::Refused);
    EXPECT_EQ(entries[2].arguments.substr(0, 8), "/export ");
    EXPECT_EQ(entries[3].outcome, CommandOutcome::Succeeded);
    EXPECT_EQ(entries[4].outcome, CommandOutcome::Failed);
    EXPECT_EQ(entries[4].words.front(), "An error occurred while attempting to reference the specified entry.");
    EXPECT_STREQ(OutcomeText(entries[1].outcome), "refused before running");

    std::string script = session.History().Script("2026-12-07");
    std::vector<std::string> lines = SplitToolOutput(script);
    std::vector<std::string> commands = LinesStartingWith(lines, "bcdedit ");
    // Only changes that took effect; the percent doubled for cmd.exe.
    EXPECT_EQ(commands, (std::vector<std::string>{
                            std::string("bcdedit /set ") + kWin10 + " description \"Work & Play 100%%\"",
                            std::string("bcdedit /set {bootmgr} displayorder ") + kWin10 + " " + kWin11 + " "}));
    EXPECT_EQ(lines.front(), "@echo off");
    EXPECT_NE(script.find("if errorlevel 1 exit /b 1\r\n"), std::string::npos);
    EXPECT_EQ(BatchLineText("/set {x} path a&b \"c&d\" (e)"), "/set {x} path a^&b \"c&d\" ^(e^)");

    // The same changes for PowerShell: braces, $ and % are no syntax inside
    // single quotes; each line's exit code is checked.
    std::string powerShell = session.History().PowerShellScript("2026-12-07");
    std::vector<std::string> psLines = SplitToolOutput(powerShell);
    std::vector<std::string> psCommands = LinesStartingWith(psLines, "bcdedit.exe ");
    EXPECT_EQ(psCommands, (std::vector<std::string>{
                              std::string("bcdedit.exe /set '") + kWin10 + "' description 'Work & Play 100%'",
                              std::string("bcdedit.exe /set '{bootmgr}' displayorder '") + kWin10 + "' '" +
                                  kWin11 + "'"}));
    EXPECT_EQ(std::count(psLines.begin(), psLines.end(), "if ($LASTEXITCODE -ne 0) { exit 1 }"), 2);
    EXPECT_EQ(psLines.front().rfind("# The changes Keystave made", 0), 0u);
    EXPECT_EQ(PowerShellLineText("/set {current} description \"Ann's $HOME `x` {a}; 50%\""),
              "/set '{current}' description 'Ann''s $HOME `x` {a}; 50%'");
    EXPECT_EQ(PowerShellLineText("/DBGSETTINGS NET HOSTIP:10.0.0.1 PORT:50000"),
              "/DBGSETTINGS NET HOSTIP:10.0.0.1 PORT:50000") << "plain words stay bare";
    // A change that named {current} says what it means on another PC.
    Path().Run(SetValueCommand("{current}", "nx", "OptIn"));
    EXPECT_NE(session.History().PowerShellScript("x").find("# {current} is the Windows running at the time"),
              std::string::npos);
    EXPECT_NE(session.History().Script("x").find("rem {current} is the Windows running at the time"),
              std::string::npos);

    EXPECT_TRUE(IsChangingCommand("/DBGSETTINGS SERIAL DEBUGPORT:1 BAUDRATE:115200"));
    EXPECT_FALSE(IsChangingCommand("/DBGSETTINGS"));
    EXPECT_FALSE(IsChangingCommand("/export \"x\""));
    EXPECT_TRUE(IsChangingCommand("/import \"x\""));
    EXPECT_TRUE(IsChangingCommand("/Copy {x} /d \"y\""));
    EXPECT_FALSE(IsChangingCommand("/enum {current} /v"));
}

TEST_F(SafetyNet, AConfirmedSetThatTheStoreIgnoredIsFound)
{
    CStoreModel model(SimulatorRun(simulator));
    // Step 1: changes that took effect agree with the store, read again.
    Path().Run(SetValueCommand(kWin10, "nx", "OPTIN"));
    Path().Run(SetValueCommand(kWin10, "bootlog", "on"));
    Path().Run(SetValueCommand("{bootmgr}", "timeout", "0x1e"));
    Path().Run(SetListCommand("{bootmgr}", "displayorder", {"{current}", kWin10}));
    model.EnumerateStore();
    EXPECT_TRUE(CheckChanges(session.TakeChanges(), model, kWin11).empty());
    EXPECT_TRUE(session.TakeChanges().empty()) << "each change is checked once";

    // Step 2: the store says yes to "/set" and keeps nothing.
    store.ignoreSet = true;
    Path().Run(SetValueCommand(kWin10, "description", "Work"));
    Path().Run(SetValueCommand(kWin10, "sos", "yes"));
    Path().Run(SetValueCommand(kWin10, "nx", "AlwaysOff"));
    Path().Run(DeleteValueCommand(kWin10, "nx"));  // the last word on nx: nothing to check
    model.EnumerateStore();
    std::vector<WriteMismatch> found = CheckChanges(session.TakeChanges(), model, kWin11);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].description, "Windows 10 Pro");
    EXPECT_EQ(found[0].element, "description");
    EXPECT_EQ(found[0].shown, std::vector<std::string>{"Windows 10 Pro"});
    EXPECT_TRUE(found[1].missing);
    std::string message = MismatchMessage(found);
    EXPECT_NE(message.find("\"Windows 10 Pro\" " + std::string(kWin10) + ", element description:\n"
                           "    sent: Work\n    the store shows: Windows 10 Pro"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("the store shows: no such element"), std::string::npos);

    // Equal values however the tool spells them; different ones are not.
    IdentifierResolver none = [](const std::string&) { return std::string(); };
    EXPECT_TRUE(ValuesAgree("TRUE", "Yes", none));
    EXPECT_TRUE(ValuesAgree(" 30 ", "0x1e", none));
    EXPECT_FALSE(ValuesAgree("31", "0x1e", none));
    EXPECT_FALSE(ValuesAgree("on", "No", none));
    EXPECT_FALSE(ValuesAgree("Work", "Play", none));
    EXPECT_TRUE(ValuesAgree("{ntldr}", "{466f5a88-0af2-4f76-9038-095b170dc21c}", none))
        << "a name it cannot resolve cannot be told wrong";
    EXPECT_FALSE(ValuesAgree("{current}", kWin10, [](const std::string&) { return std::string(kWin11); }));
}

TEST_F(SafetyNet, TheRunningEntryIsAskedOnceAndTheQuestionsNameTheEntry)
{
    EXPECT_EQ(session.RunningEntry(), kWin11);
    EXPECT_EQ(session.RunningEntry(), kWin11);
    ASSERT_EQ(Sent(), std::vector<std::string>{"/enum {current} /v"});
    EXPECT_EQ(RunningEntryFromOutput({"", "Windows Boot Loader", "identifier              {current}"}), "");
    EXPECT_EQ(RunningEntryFromOutput({"identifier  {5D8A3F2E-1C4B-11EF-9A7D-806E6F6E6963}"}), kWin11);
    store.current.clear();
    CSession other(SimulatorAnsweredRun(simulator), [] { return LocalTime{}; });
    EXPECT_EQ(other.RunningEntry(), "") << "a store with no running entry marks none";

    EXPECT_EQ(DeleteEntryQuestion("Windows 10 Pro", kWin10, false, false),
              std::string("Are you sure you want to delete this entry?\n\n\"Windows 10 Pro\"\n") + kWin10);
    std::string both = DeleteEntryQuestion("Windows 11", kWin11, true, true);
    EXPECT_NE(both.find("running now"), std::string::npos);
    EXPECT_NE(both.find("default entry"), std::string::npos);
    EXPECT_EQ(EntryMarkText(true, true), "Default, running now");
    EXPECT_EQ(EntryMarkText(false, true), "Running now");
    EXPECT_EQ(EntryMarkText(false, false), "");
    EXPECT_EQ(EntryMarkText(false, false, true), "Starts in safe mode");
    EXPECT_EQ(EntryMarkText(true, true, true), "Default, running now, starts in safe mode");
}

TEST(BackupFiles, NamesTellTheirMomentAndOnlyTheNewestTwentyStay)
{
    LocalTime t{2026, 12, 7, 10, 15, 0};
    EXPECT_EQ(BackupFileName(t), "BCD-20261207-101500.bak");
    EXPECT_EQ(BackupFileName(t, 2), "BCD-20261207-101500-2.bak");
    LocalTime read;
    ASSERT_TRUE(BackupTimeFromName("BCD-20261207-101500-2.bak", read));
    EXPECT_EQ(DateText(read) + " " + TimeText(read), "2026-12-07 10:15:00");
    for (const char* bad : {"BCD-20261307-101500.bak", "BCD-2026120-101500.bak", "notes.txt",
                            "BCD-20261207-101500-1.bak", "BCD-20261207-101500.bak.tmp", "BCD-20261207-1015xx.bak"})
        EXPECT_FALSE(BackupTimeFromName(bad, read)) << bad;

    // The second backup of a second sorts after the first, whatever the name order says.
    EXPECT_EQ(BackupsNewestFirst({"BCD-20261207-101500.bak", "BCD-20261207-101500-2.bak", "x.bak",
                                  "BCD-20251207-235959.bak"}),
              (std::vector<std::string>{"BCD-20261207-101500-2.bak", "BCD-20261207-101500.bak",
                                        "BCD-20251207-235959.bak"}));
    std::vector<std::string> many;
    for (int minute = 0; minute < 23; ++minute)
        many.push_back(BackupFileName(LocalTime{2026, 12, 7, 10, minute, 0}));
    many.push_back("keep-me.bak");
    std::vector<std::string> gone = BackupsToRemove(many, kBackupsKept);
    EXPECT_EQ(gone, (std::vector<std::string>{"BCD-20261207-100200.bak", "BCD-20261207-100100.bak",
                                              "BCD-20261207-100000.bak"}));
    EXPECT_TRUE(BackupsToRemove({"BCD-20261207-100000.bak"}, kBackupsKept).empty());

    EXPECT_EQ(FileSizeText(512), "512 bytes");
    EXPECT_EQ(FileSizeText(24 * 1024), "24 KB");
    EXPECT_EQ(FileSizeText(3 * 1024 * 1024 / 2), "1.5 MB");
}

TEST(StoreFileCommands, ExportAndImportNameTheirFileAsOneArgumentOrRefuse)
{
    ToolCommand export_ = ExportStoreCommand("C:\\Users\\Ann Lee\\BCD.bak");
    ASSERT_TRUE(export_.ok);
    EXPECT_EQ(export_.arguments, "/export \"C:\\Users\\Ann Lee\\BCD.bak\"");
    EXPECT_EQ(ImportStoreCommand("D:\\b.bak").arguments, "/import \"D:\\b.bak\"");
    EXPECT_FALSE(ExportStoreCommand("").ok);
    EXPECT_FALSE(ImportStoreCommand("C:\\a\"b").ok);
    EXPECT_FALSE(ImportStoreCommand("C:\\folder\\").ok) << "the backslash would escape the quote";
    EXPECT_FALSE(ExportStoreCommand("C:\\a\nb").ok);

    // Simulated: the tool's words for a file it cannot write or read.
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse(kSampleStoreText, error));
    CSimulator simulator(store);
    simulator.SetFiles({[](const std::string&, const std::string&) { return false; },
                        [](const std::string& path, std::string& text) {
                            text = path == "bad" ? "[store]\nnonsense\n" : "";
                            return path == "bad";
                        }});
    EXPECT_EQ(simulator.Execute({"/export", "C:\\nowhere\\x"}).err,
              "The store export operation has failed.\r\nThe system cannot find the path specified.\r\n");
    EXPECT_EQ(simulator.Execute({"/import", "missing"}).err,
              "The store import operation has failed.\r\nThe system cannot find the file specified.\r\n");
    std::string before = store.Serialize();
    SimOutput bad = simulator.Execute({"/import", "bad"});
    EXPECT_EQ(bad.err.substr(0, 38), "The store import operation has failed.");
    EXPECT_FALSE(bad.changed);
    EXPECT_EQ(store.Serialize(), before) << "a bad file leaves the store as it was";
    EXPECT_NE(simulator.Execute({"/export"}).err, "");

    // A stray CR inside a store line would not read back as written: refused.
    CSimStore stray;
    EXPECT_FALSE(stray.Parse("[{5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963}]\n@kind = osloader\n"
                             "description = a\r\r\n",
                             error));
    EXPECT_NE(error.find("control character"), std::string::npos) << error;
}

TEST_F(SafetyNet, ReadsStartedTogetherAnswerTheirRunsOnceInTheOrderAsked)
{
    std::vector<std::vector<std::string>> batches;
    std::vector<std::string> waitedFor;
    AnsweredToolRun simulated = SimulatorAnsweredRun(simulator);
    session.SetStartReads([&](const std::vector<std::string>& arguments) {
        batches.push_back(arguments);
        std::vector<PendingAnswer> answers;
        for (const std::string& command : arguments) {
            auto answer = std::make_shared<ToolAnswer>(simulated(command));
            auto asked = std::make_shared<bool>(false);
            answers.push_back([&waitedFor, command, answer, asked] {
                if (!*asked)
                    waitedFor.push_back(command);
                *asked = true;
                return *answer;
            });
        }
        return answers;
    });
    session.StartReadsAhead({"/ENUM /V", "/DBGSETTINGS", "/enum {current} /v"});
    ASSERT_EQ(batches.size(), 1u) << "one start for all three";
    EXPECT_TRUE(waitedFor.empty()) << "starting waits for none of them";
    EXPECT_TRUE(Sent().empty()) << "in the history only once a run asks for them";
    session.StartReadsAhead({"/ENUM /V", "/DBGSETTINGS"});
    EXPECT_EQ(batches.size(), 2u);
    EXPECT_TRUE(batches[1].empty()) << "reads already started are not started again";

    // Asked in another order than started: each waits for its own answer only.
    EXPECT_EQ(session.RunningEntry(), kWin11);
    EXPECT_EQ(waitedFor, std::vector<std::string>{"/enum {current} /v"});
    ToolAnswer enumerated = session.Run("/ENUM /V");
    EXPECT_TRUE(AnswerSucceeded(enumerated));
    EXPECT_NE(enumerated.text.find("Windows Boot Manager"), std::string::npos);
    EXPECT_EQ(Sent(), (std::vector<std::string>{"/enum {current} /v", "/ENUM /V"}));

    // Asked again, a read runs anew; one not asked for is dropped.
    store.FindByGuid(kWin10)->Find("description")->values[0] = "Changed meanwhile";
    EXPECT_NE(session.Run("/ENUM /V").text.find("Changed meanwhile"), std::string::npos)
        << "an answer from ahead is used once";
    session.DropReadsAhead({"/DBGSETTINGS"});
    std::string& debugType = store.FindByAlias("{dbgsettings}")->Find("debugtype")->values[0];
    debugType = "Net";
    EXPECT_NE(session.Run("/DBGSETTINGS").text.find("Net"), std::string::npos) << "dropped: read anew";
    EXPECT_EQ(Sent().size(), 4u);
    EXPECT_EQ(waitedFor, (std::vector<std::string>{"/enum {current} /v", "/ENUM /V"}))
        << "the dropped read was never waited for";

    // Without a way to start them together, each runs when asked, and a
    // dropped one never runs.
    std::vector<std::string> ran;
    CSession plain(SimulatorAnsweredRun(simulator, &ran), [] { return LocalTime{}; });
    plain.StartReadsAhead({"/enum {current} /v", "/DBGSETTINGS"});
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(plain.RunningEntry(), kWin11);
    plain.DropReadsAhead({"/DBGSETTINGS"});
    EXPECT_EQ(ran, std::vector<std::string>{"/enum {current} /v"});
    EXPECT_EQ(plain.History().Entries().size(), 1u);
}

TEST_F(SafetyNet, TheHistoryKeepsOfAListingWhatItsWindowShows)
{
    // A store of a thousand entries more: its listing runs to many thousand lines.
    for (int k = 0; k < 1000; ++k) {
        SimObject copy = *store.FindByKind("osloader");
        copy.alias.clear();
        char guid[40];
        std::snprintf(guid, sizeof guid, "{%08x-0000-4000-8000-000000000000}", k);
        copy.guid = guid;
        store.objects.push_back(copy);
        store.FindByAlias("{bootmgr}")->Find("displayorder")->values.push_back(guid);
    }
    std::string listing = simulator.Execute({"/ENUM", "/V"}).out;
    std::vector<std::string> all = SplitToolOutput(listing);
    ASSERT_GT(all.size(), 10000u);

    session.Run("/ENUM /V");
    Path().Run(SetValueCommand("{00000000-0000-0000-0000-000000000000}", "description", "x"));
    const std::vector<HistoryEntry>& entries = session.History().Entries();
    ASSERT_EQ(entries.size(), 3u);
    const HistoryEntry& read = entries[0];
    EXPECT_LT(read.words.size(), 10u) << "a few lines, not the listing";
    EXPECT_EQ(WordsInOneLine(read.words), WordsInOneLine(all)) << "the window shows the same";
    EXPECT_EQ(WordsInOneLine(read.words).rfind("Windows Boot Manager identifier {", 0), 0u);
    EXPECT_EQ(WordsInOneLine(read.words).size(), 163u) << "cut after 160 characters, with \"...\"";
    // A short answer is kept whole, every line of it.
    const HistoryEntry& failed = entries[2];
    EXPECT_EQ(failed.outcome, CommandOutcome::Failed);
    EXPECT_EQ(failed.words, SplitToolOutput(simulator.Execute({"/set", "{00000000-0000-0000-0000-000000000000}",
                                                               "description", "x"}).err));
    EXPECT_EQ(WordsInOneLine({"a   b", "-----", "", "c"}), "a b c");
}

TEST_F(SafetyNet, AStoreFileHasNoRunningEntryAndThisPCsStoreStillHasOne)
{
    std::vector<std::string> ran;
    CSession fileSession(SimulatorAnsweredRun(simulator, &ran), [] { return LocalTime{}; });
    ASSERT_TRUE(UseStoreFile("D:\\EFI\\Microsoft\\Boot\\BCD").ok);
    EXPECT_EQ(fileSession.RunningEntry(), "");
    EXPECT_TRUE(ran.empty()) << "nothing is asked of a store file";
    ASSERT_TRUE(UseStoreFile("").ok);
    EXPECT_EQ(fileSession.RunningEntry(), kWin11) << "asked once this PC's store is back";
    EXPECT_EQ(ran, std::vector<std::string>{"/enum {current} /v"});
    // Known, it is still no store file's.
    ASSERT_TRUE(UseStoreFile("D:\\EFI\\Microsoft\\Boot\\BCD").ok);
    EXPECT_EQ(fileSession.RunningEntry(), "");
    EXPECT_EQ(fileSession.KnownRunningEntry(), "");
    ASSERT_TRUE(UseStoreFile("").ok);
    EXPECT_EQ(fileSession.KnownRunningEntry(), kWin11);
    EXPECT_EQ(ran.size(), 1u) << "asked once";
}

TEST(BackupFiles, AStoreFilesCopyIsNamedAfterTheFileAndSortsWithTheRest)
{
    LocalTime t{2026, 12, 7, 10, 15, 0};
    EXPECT_EQ(StoreCopyFileName("D:\\EFI\\Microsoft\\Boot\\BCD", t), "BCD-20261207-101500 of BCD.bak");
    EXPECT_EQ(StoreCopyFileName("Z:\\vm disks\\my store?.txt", t, 3), "BCD-20261207-101500-3 of my_store_.txt.bak");
    EXPECT_EQ(StoreCopyFileName("D:", t), "BCD-20261207-101500 of store.bak");
    EXPECT_EQ(BackupStoreName("BCD-20261207-101500 of BCD.bak"), "BCD");
    EXPECT_EQ(FileNameOfPath("D:\\EFI\\Microsoft\\Boot\\BCD"), "BCD");
    EXPECT_EQ(FileNameOfPath("Z:/tmp/x.bak"), "x.bak");
    EXPECT_EQ(FileNameOfPath("C:BCD"), "BCD");
    EXPECT_EQ(FileNameOfPath("BCD"), "BCD");
    EXPECT_EQ(BackupStoreName("BCD-20261207-101500.bak"), "") << "this PC's store";
    EXPECT_EQ(BackupStoreName("BCD-20261207-101500 of .bak"), "") << "no file named: no backup";
    LocalTime read;
    ASSERT_TRUE(BackupTimeFromName("BCD-20261207-101500-3 of my_store_.txt.bak", read));
    EXPECT_EQ(TimeText(read), "10:15:00");
    EXPECT_EQ(BackupsNewestFirst({"BCD-20261207-101500.bak", "BCD-20261207-101501 of BCD.bak"}),
              (std::vector<std::string>{"BCD-20261207-101501 of BCD.bak", "BCD-20261207-101500.bak"}));
}

TEST_F(SafetyNet, AStoreFileIsCopiedBeforeItsFirstChangeAndEachStoreIsBackedUpOnce)
{
    struct SystemStoreAfterwards {
        ~SystemStoreAfterwards() { UseStoreFile(""); }
    } restore;
    auto Count = [this](const std::string& prefix) {
        int count = 0;
        for (const std::string& sent : Sent())
            count += sent.rfind(prefix, 0) == 0;
        return count;
    };
    // This PC's store: backed up by the tool, once.
    ASSERT_TRUE(Path().Run(SetValueCommand(kWin10, "description", "A")).succeeded);
    ASSERT_EQ(Count("/export"), 1);
    const std::string systemBackup = session.FirstBackup();
    ASSERT_FALSE(systemBackup.empty());

    // A store file: copied, not exported, before its first change only.
    const std::string file = "D:\\EFI\\Microsoft\\Boot\\BCD";
    ASSERT_TRUE(UseStoreFile(file).ok);
    EXPECT_EQ(session.FirstBackup(), "") << "that store has no backup yet";
    Path().Run(SetValueCommand(kWin10, "description", "B"));
    Path().Run(SetValueCommand(kWin10, "description", "C"));
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].rfind(file + " -> " + backupFolder + "\\BCD-20261207-1015", 0), 0u) << copies[0];
    EXPECT_EQ(Count("/export"), 1) << "the tool exports only this PC's store";
    EXPECT_EQ(session.FirstBackup().find(" of BCD.bak"), session.FirstBackup().size() - 11);

    // Back on this PC's store: its own first backup, and no second one.
    ASSERT_TRUE(UseStoreFile("").ok);
    EXPECT_EQ(session.FirstBackup(), systemBackup);
    Path().Run(SetValueCommand(kWin10, "description", "D"));
    EXPECT_EQ(Count("/export"), 1);

    // A file that cannot be copied: the user is asked, and No sends nothing.
    ASSERT_TRUE(UseStoreFile("D:\\nowhere\\BCD").ok);
    goOnWithoutBackup = false;
    std::vector<std::string> before = Sent();
    EXPECT_FALSE(Path().Run(SetValueCommand(kWin10, "description", "E")).sent);
    EXPECT_EQ(askedWith, std::vector<std::string>{"The store file could not be copied."});
    EXPECT_EQ(Sent(), before);
}
