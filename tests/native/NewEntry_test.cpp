#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exec/CWritePath.h"
#include "exec/ToolWords.h"
#include "model/CStoreModel.h"
#include "model/LoaderListRows.h"
#include "model/NewEntryPlan.h"
#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimCommandLine.h"
#include "sim/SimStoreFile.h"
#include "sim/SimTranslation.h"
#include "common/ToolTexts.h"
#include "tests/native/CatalogueFixture.h"
#include "tests/native/Samples.h"
#include "tests/native/SimulatorRun.h"
#include "tests/native/SampleStoreIds.h"

namespace {

using Texts = std::vector<std::string>;

NewEntry WindowsOnD()
{
    NewEntry entry;
    entry.kind = NewEntryKind::Windows;
    entry.description = "Windows on D";
    entry.drive = "D:";
    entry.locale = "de-DE";
    return entry;
}

class NewEntries : public WithShippedCatalogue {
protected:
    void SetUp() override
    {
        WithShippedCatalogue::SetUp();
        std::string error;
        ASSERT_TRUE(store.Parse(kSampleStoreText, error)) << error;
        store.volumes = {"C:", "D:"};
    }
    // A write path over the simulator; the run numbered `failAt` (1-based)
    // answers as a tool that refused it, without running it.
    CWritePath Path(int failAt = 0)
    {
        WriteFeedback feedback;
        feedback.failed = [this](const std::string& arguments, const std::vector<std::string>&) {
            failures.push_back(arguments);
        };
        AnsweredToolRun run = SimulatorAnsweredRun(simulator, &sent);
        return CWritePath(
            [this, run, failAt](const std::string& arguments) {
                if (++runs == failAt) {
                    sent.push_back(arguments);
                    return ToolAnswer{"An error has occurred setting the element data.\r\nAccess is denied.\r\n",
                                      true, 1};
                }
                return run(arguments);
            },
            feedback);
    }
    // The model's boot menu after the commands.
    std::vector<LoaderListRow> Rows(CStoreModel& model)
    {
        model.EnumerateStore();
        return LoaderListRows(model.GetBootManager(), model.GetListedObjects(), "");
    }

    CSimStore store;
    CSimulator simulator{store};
    Texts sent, failures;
    int runs = 0;
};

}  // namespace

TEST_F(NewEntries, EachPagesPlanForUefiBiosAndAVirtualDisk)
{
    // A Windows on D: of a UEFI store, added last: the commands in their order.
    NewEntry entry = WindowsOnD();
    EXPECT_EQ(NewEntryPreview(entry),
              (Texts{"/create /d \"Windows on D\" /application osloader",
                     "/set {new entry} device partition=D:", "/set {new entry} osdevice partition=D:",
                     "/set {new entry} path \\Windows\\system32\\winload.efi",
                     "/set {new entry} systemroot \\Windows", "/set {new entry} locale de-DE",
                     "/set {new entry} inherit {bootloadersettings}", "/displayorder {new entry} /addlast"}));
    // BIOS, first in the menu, in a VHD with a blank in its path.
    entry.uefi = false;
    entry.addFirst = true;
    entry.vhdFile = "C:\\My VHDs\\win.vhdx";
    Texts bios = NewEntryPreview(entry);
    EXPECT_EQ(bios[1], "/set {new entry} device \"vhd=[C:]\\My VHDs\\win.vhdx\"");
    EXPECT_EQ(bios[3], "/set {new entry} path \\Windows\\system32\\winload.exe");
    EXPECT_EQ(bios.back(), "/displayorder {new entry} /addfirst");

    // A boot sector, kept out of the menu.
    NewEntry sector;
    sector.kind = NewEntryKind::BootSector;
    sector.description = "Linux";
    sector.drive = "D:";
    sector.bootFile = "\\grub.bin";
    sector.addToMenu = false;
    EXPECT_EQ(NewEntryPreview(sector), (Texts{"/create /d \"Linux\" /application bootsector",
                                              "/set {new entry} device partition=D:",
                                              "/set {new entry} path \\grub.bin"}));
    // A resume entry ends by naming itself in its Windows entry.
    NewEntry resume;
    resume.kind = NewEntryKind::Resume;
    resume.description = "Windows Resume Application";
    resume.drive = "C:";
    resume.forEntry = kWin11;
    Texts resumed = NewEntryPreview(resume);
    ASSERT_EQ(resumed.size(), 7u);
    EXPECT_EQ(resumed[2], "/set {new entry} path \\Windows\\system32\\winresume.efi");
    EXPECT_EQ(resumed[4], "/set {new entry} filepath \\hiberfil.sys");
    EXPECT_EQ(resumed.back(), std::string("/set ") + kWin11 + " resumeobject {new entry}");
    // A copy of the running Windows: the tool puts it last by itself.
    NewEntry copy;
    copy.kind = NewEntryKind::WindowsCopy;
    copy.description = "Copy of this Windows";
    EXPECT_EQ(NewEntryPreview(copy), Texts{"/Copy {current} /d \"Copy of this Windows\""});
    copy.addFirst = true;
    EXPECT_EQ(NewEntryPreview(copy).back(), "/displayorder {new entry} /addfirst");

    // The loader's form follows the boot manager's path.
    CStoreModel model(SimulatorAnsweredRun(simulator));
    model.EnumerateStore();
    EXPECT_TRUE(StoreIsUefi(model.GetBootManager()));
    store.biosFirmware = true;
    model.EnumerateStore();
    EXPECT_FALSE(StoreIsUefi(model.GetBootManager()));
    EXPECT_FALSE(StoreIsUefi(nullptr));
}

TEST_F(NewEntries, BadInputIsRefusedWithItsReasonAndNothingIsBuiltFromIt)
{
    Texts volumes = {"C:", "D:"};
    Texts files = {"C:\\VHDs\\win.vhdx", "D:\\grub.bin"};
    FileExists exists = [&](const std::string& path) {
        return std::find(files.begin(), files.end(), path) != files.end();
    };
    NewEntry entry = WindowsOnD();
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "") << "a positive control";
    entry.description = "  ";
    EXPECT_NE(CheckNewWindows(entry, volumes, exists).find("Type a description"), std::string::npos);
    entry.description = "Say \"hi\"";
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "The description cannot hold a double quote.");
    entry = WindowsOnD();
    entry.drive = "Q:";
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "Q: is not a fixed drive of this PC.");
    entry.vhdFile = "C:\\VHDs\\win.iso";
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "A virtual disk file ends in .vhd or .vhdx.");
    entry.vhdFile = "C:\\VHDs\\other.vhdx";
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "The file C:\\VHDs\\other.vhdx does not exist.");
    entry.vhdFile = "C:\\VHDs\\win.vhdx";
    EXPECT_EQ(CheckNewWindows(entry, volumes, exists), "") << "a VHD needs no partition";
    entry.windowsFolder = "Windows";
    EXPECT_NE(CheckNewWindows(entry, volumes, exists).find("begins with a backslash"), std::string::npos);

    NewEntry sector;
    sector.kind = NewEntryKind::BootSector;
    sector.description = "Linux";
    sector.drive = "D:";
    sector.bootFile = "\\grub.bin";
    EXPECT_EQ(CheckNewBootSector(sector, volumes, exists), "");
    sector.bootFile = "\\linux.bin";
    EXPECT_EQ(CheckNewBootSector(sector, volumes, exists), "There is no file \\linux.bin on D:.");
    sector.drive = "C:";
    sector.bootFile = "\\grub.bin";
    EXPECT_EQ(CheckNewBootSector(sector, volumes, exists), "There is no file \\grub.bin on C:.");

    // A description the tool cannot be given is not built into a command either.
    entry = WindowsOnD();
    entry.description = "ends\\";
    EXPECT_FALSE(NewEntryCommands(entry, "{00000000-0000-0000-0000-000000000001}").front().ok);
}

TEST_F(NewEntries, TheCreateReplyNamesTheEntryInEveryLanguageAndAPlaceholderNamesNone)
{
    std::string english = ReadSample("success_create_osloader_doc.txt");
    EXPECT_EQ(CreatedIdentifierInAnyLanguage(SplitToolOutput(english)), "{a4f89c62-2142-11e6-80b6-00155da04110}");
    // As published, the Japanese reply stands "{GUID}" for the identifier: it is no GUID.
    std::string japanese = ReadSample("success_create_osloader_ja-JP_quoted_placeholder.txt");
    EXPECT_EQ(CreatedIdentifierInAnyLanguage(SplitToolOutput(japanese)), "{GUID}");
    CWritePath placeholder([&](const std::string&) { return ToolAnswer{japanese, true, 0}; }, WriteFeedback{});
    WriteResult unnamed = placeholder.Run(CreateEntryCommand("x", "osloader"), AnswerKind::Create);
    EXPECT_TRUE(unnamed.succeeded);
    EXPECT_EQ(unnamed.createdIdentifier, "") << "only a GUID names an entry";
    std::string real = japanese;
    real.replace(real.find("{GUID}"), 6, "{0fd8694b-e7fe-11f0-91cd-eabb9ab44a94}");
    // The simulator's reply in another language reads back the same.
    for (const char* language : {"ja-JP", "de-DE", "ko-KR"}) {
        std::string translated = TranslateSimOutput(
            "The entry {0fd8694b-e7fe-11f0-91cd-eabb9ab44a94} was successfully created.\r\n",
            *FindToolLanguage(language));
        EXPECT_EQ(translated.find("successfully"), std::string::npos) << language << ": " << translated;
        EXPECT_EQ(CreatedIdentifierInAnyLanguage(SplitToolOutput(translated)),
                  "{0fd8694b-e7fe-11f0-91cd-eabb9ab44a94}")
            << language;
    }
    CWritePath named([&](const std::string&) { return ToolAnswer{real, true, 0}; }, WriteFeedback{});
    EXPECT_EQ(named.Run(CreateEntryCommand("x", "osloader"), AnswerKind::Create).createdIdentifier,
              "{0fd8694b-e7fe-11f0-91cd-eabb9ab44a94}");
}

TEST_F(NewEntries, AWindowsEntryIsMadeWholeOrNotAtAll)
{
    // Made: every element reads back as sent, and the menu shows it last.
    NewEntryOutcome outcome = MakeNewEntry(Path(), WindowsOnD());
    ASSERT_TRUE(outcome.made) << (outcome.words.empty() ? "" : outcome.words.front());
    EXPECT_EQ(outcome.sent, 8u);
    EXPECT_TRUE(failures.empty());
    CStoreModel model(SimulatorAnsweredRun(simulator));
    std::vector<LoaderListRow> rows = Rows(model);
    auto made = std::find_if(rows.begin(), rows.end(), [&](const LoaderListRow& row) {
        return row.cells[kLoaderIdColumn] == outcome.identifier;
    });
    ASSERT_NE(made, rows.end());
    EXPECT_EQ(made->cells[kLoaderDescriptionColumn], "Windows on D");
    EXPECT_EQ(made->cells[kLoaderKindColumn], "Windows");
    EXPECT_EQ(made->cells[kLoaderDisplayColumn], "6") << "last in the boot menu";
    const CBcdObject* entry = made->loader;
    EXPECT_EQ(entry->FindItem("device")->GetValue(0), "partition=D:");
    EXPECT_EQ(entry->FindItem("path")->GetValue(0), "\\Windows\\system32\\winload.efi");
    EXPECT_EQ(entry->FindItem("locale")->GetValue(0), "de-DE");

    // The third command refused: the entry made goes again, and the store is as before.
    std::string before = store.Serialize();
    sent.clear();
    runs = 0;
    outcome = MakeNewEntry(Path(3), WindowsOnD());
    EXPECT_FALSE(outcome.made);
    EXPECT_TRUE(outcome.rolledBack);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[2], "/set " + outcome.identifier + " osdevice partition=D:");
    EXPECT_EQ(sent[3], "/DELETE " + outcome.identifier + " /cleanup");
    EXPECT_EQ(outcome.failedCommand, sent[2]);
    EXPECT_EQ(outcome.words, (Texts{"An error has occurred setting the element data.", "Access is denied."}));
    EXPECT_EQ(store.Serialize(), before) << "nothing half-made stays";

    // A drive the PC lacks fails as the tool fails, at the second command; rolled back too.
    NewEntry missing = WindowsOnD();
    missing.drive = "E:";
    sent.clear();
    outcome = MakeNewEntry(Path(), missing);
    EXPECT_TRUE(outcome.rolledBack);
    EXPECT_EQ(outcome.words.front(), "The device is not valid as specified.");
    EXPECT_EQ(store.Serialize(), before);

    // A store that refuses the loader's path: the fourth command fails, as the Wine tests inject it.
    store.refusedSet = "path";
    sent.clear();
    outcome = MakeNewEntry(Path(), WindowsOnD());
    EXPECT_TRUE(outcome.rolledBack);
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[3].rfind("/set " + outcome.identifier + " path ", 0), 0u) << sent[3];
    store.refusedSet.clear();
    EXPECT_EQ(store.Serialize(), before);

    // A refused creation sends nothing more.
    sent.clear();
    runs = 0;
    outcome = MakeNewEntry(Path(1), WindowsOnD());
    EXPECT_FALSE(outcome.made);
    EXPECT_FALSE(outcome.rolledBack);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(store.Serialize(), before);
}

TEST_F(NewEntries, TheSimulatorCreatesAsTheToolDoes)
{
    auto run = [this](const Texts& args) { return simulator.Execute(args); };
    // An application needs a description and exactly one of its switches.
    EXPECT_FALSE(run({"/create", "/application", "osloader"}).err.empty());
    EXPECT_FALSE(run({"/create", "/d", "x"}).err.empty());
    EXPECT_FALSE(run({"/create", "/d", "x", "/application", "osloader", "/device"}).err.empty());
    EXPECT_FALSE(run({"/create", "/d", "x", "/application", "toaster"}).err.empty());
    SimOutput made = run({"/create", "/d", "Linux", "/application", "bootsector"});
    ASSERT_TRUE(made.err.empty()) << made.err;
    EXPECT_EQ(made.out.rfind("The entry {", 0), 0u) << made.out;
    std::string guid = made.out.substr(10, 38);
    std::string error;
    ASSERT_NE(simulator.Resolve(guid, error), nullptr);
    EXPECT_EQ(simulator.Resolve(guid, error)->kind, "bootsector");
    EXPECT_EQ(run({"/enum", guid}).out.find("Real-mode Boot Sector"), 2u);
    // A well-known identifier brings its kind and takes no /application.
    EXPECT_FALSE(run({"/create", "{ramdiskoptions}", "/application", "osloader"}).err.empty());
    SimOutput ramdisk = run({"/create", "{ramdiskoptions}", "/d", "Ramdisk options"});
    ASSERT_TRUE(ramdisk.err.empty()) << ramdisk.err;
    EXPECT_NE(run({"/enum", "{ramdiskoptions}"}).out.find("Device options"), std::string::npos);
    EXPECT_FALSE(run({"/create", "{ramdiskoptions}", "/d", "again"}).err.empty()) << "it exists";
    // "@volumes": a device on a missing drive fails; on one that exists it is set.
    EXPECT_EQ(run({"/set", guid, "device", "partition=Q:"}).err, "The device is not valid as specified.\r\n"
                                                                  "Run \"bcdedit /?\" for command line assistance.\r\n"
                                                                  "The parameter is incorrect.\r\n");
    EXPECT_TRUE(run({"/set", guid, "device", "partition=D:"}).err.empty());
}
