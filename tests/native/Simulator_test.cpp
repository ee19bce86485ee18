#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "exec/SplitToolOutput.h"
#include "sim/CSimStore.h"
#include "sim/CSimulator.h"
#include "sim/SimCommandLine.h"
#include "sim/SimStoreFile.h"
#include "tests/native/Samples.h"
#include "tests/native/SampleStoreIds.h"

namespace {


CSimStore SampleStore()
{
    CSimStore store;
    std::string error;
    EXPECT_TRUE(store.Parse(kSampleStoreText, error)) << error;
    return store;
}


// Every line of an element block has its value at column 24, or, for a
// name of 23 characters or more, one blank after the name.
void ExpectAlignedElementLines(const std::string& output)
{
    std::vector<std::string> lines = SplitToolOutput(output);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (i + 1 < lines.size() && lines[i + 1].find_first_not_of('-') == std::string::npos) {
            EXPECT_EQ(lines[i + 1].size(), line.size()) << "underline of " << line;
            ++i;
            continue;
        }
        if (line[0] == ' ') {
            EXPECT_EQ(line.find_first_not_of(' '), 24u) << line;
            continue;
        }
        size_t nameEnd = line.find(' ');
        ASSERT_NE(nameEnd, std::string::npos) << line;
        size_t valueStart = line.find_first_not_of(' ', nameEnd);
        EXPECT_EQ(valueStart, nameEnd < 24 ? 24u : nameEnd + 1) << line;
    }
}

std::string Out(CSimulator& sim, std::vector<std::string> args)
{
    SimOutput output = sim.Execute(args);
    EXPECT_EQ(output.err, "") << "for " << (args.empty() ? "" : args[0]);
    return output.out;
}

std::string Err(CSimulator& sim, std::vector<std::string> args)
{
    SimOutput output = sim.Execute(args);
    EXPECT_EQ(output.out, "");
    EXPECT_FALSE(output.changed);
    return output.err;
}

class SimulatorStoreFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/ks-sim-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        path_ = folder_ + "/store.txt";
    }
    void TearDown() override
    {
        std::remove(path_.c_str());
        std::remove((path_ + ".tmp").c_str());
        std::remove(folder_.c_str());
    }
    std::string Contents()
    {
        std::string text;
        ReadWholeFile(path_, text);
        return text;
    }
    std::string folder_, path_;
};

}  // namespace

TEST(Simulator, EnumerationHasTheToolsShape)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    std::string output = Out(sim, {"/ENUM", "/V"});

    // A blank line before the first heading and between objects, CR LF only.
    EXPECT_EQ(output.rfind("\r\nWindows Boot Manager\r\n--------------------\r\n", 0), 0u);
    EXPECT_EQ(output.find("\r\r\n"), std::string::npos);
    for (size_t at = output.find('\n'); at != std::string::npos; at = output.find('\n', at + 1))
        ASSERT_EQ(output[at - 1], '\r') << "bare LF at " << at;
    EXPECT_NE(output.find("\r\n\r\nWindows Boot Loader\r\n-------------------\r\n"),
              std::string::npos);
    EXPECT_NE(output.find("Windows Legacy OS Loader\r\n------------------------\r\n"),
              std::string::npos);
    EXPECT_NE(output.find("Real-mode Boot Sector\r\n---------------------\r\n"), std::string::npos);
    ExpectAlignedElementLines(output);

    // Verbose: identifiers as GUIDs; lists continue on indented lines.
    EXPECT_NE(output.find("identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\r\n"),
              std::string::npos);
    EXPECT_NE(output.find(std::string("displayorder            ") + kWin11 + "\r\n" +
                          std::string(24, ' ') + kWin10 + "\r\n"),
              std::string::npos);
    EXPECT_NE(output.find("allowedinmemorysettings 0x15000075\r\n"), std::string::npos);

    // The active view holds the boot manager and its display order only.
    EXPECT_EQ(output.find("Resume from Hibernate"), std::string::npos);
    std::string all = Out(sim, {"/enum", "all", "/v"});
    EXPECT_NE(all.find("Resume from Hibernate\r\n"), std::string::npos);
    EXPECT_NE(all.find("Windows Memory Tester\r\n"), std::string::npos);
    EXPECT_NE(all.find("Debugger Settings\r\n"), std::string::npos);
    ExpectAlignedElementLines(all);
}

TEST(Simulator, PrintsOneObjectExactlyAsThePublishedOutput)
{
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse("[{466f5a88-0af2-4f76-9038-095b170dc21c}]\n@kind = legacy\n"
                            "@alias = {ntldr}\npath = \\ntldr\ncustom:45000001 = 1\n"
                            "custom:47000005 = 301989892\ncustom:47000005 = 6\n",
                            error))
        << error;
    CSimulator sim(store);
    EXPECT_EQ(Out(sim, {"/enum", "{ntldr}", "/v"}), "\r\n" + ReadSample("enum_id_04.txt"));
}

TEST(Simulator, ResolvesWellKnownIdentifiersAsTheToolDoes)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    std::string error;
    EXPECT_EQ(sim.Resolve("{current}", error)->guid, kWin11);
    EXPECT_EQ(sim.Resolve("{DEFAULT}", error)->guid, kWin11);
    EXPECT_EQ(sim.Resolve("{bootmgr}", error)->kind, "bootmgr");
    EXPECT_EQ(sim.Resolve("{ntldr}", error)->kind, "legacy");
    EXPECT_EQ(sim.Resolve("{5D8A3F30-1C4B-11EF-9A7D-806E6F6E6963}", error)->guid, kWin10);
    EXPECT_EQ(sim.Resolve("{fwbootmgr}", error)->kind, "fwbootmgr");
    // A PC started in BIOS mode has no firmware boot manager to name.
    store.biosFirmware = true;
    EXPECT_EQ(sim.Resolve("{fwbootmgr}", error), nullptr);
    EXPECT_NE(error.find("reference the specified entry"), std::string::npos);
    store.biosFirmware = false;
    EXPECT_EQ(sim.Resolve("{nonsense}", error), nullptr);
    EXPECT_NE(error.find("identifier specified is not valid"), std::string::npos);

    // Without /v the tool prints well-known names for identifiers and references.
    std::string plain = Out(sim, {"/enum", "{bootmgr}"});
    EXPECT_NE(plain.find("identifier              {bootmgr}\r\n"), std::string::npos);
    EXPECT_NE(plain.find("default                 {current}\r\n"), std::string::npos);
    EXPECT_NE(plain.find("toolsdisplayorder       {memdiag}\r\n"), std::string::npos);
    std::string current = Out(sim, {"/enum", kWin11});
    EXPECT_NE(current.find("identifier              {current}\r\n"), std::string::npos);
    EXPECT_NE(current.find("inherit                 {bootloadersettings}\r\n"), std::string::npos);
}

TEST(Simulator, SetChecksAndNormalisesValues)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    SimOutput set = sim.Execute({"/set", kWin10, "nx", "OPTIN"});
    EXPECT_EQ(set.out, "The operation completed successfully.\r\n");
    EXPECT_TRUE(set.changed);
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("nx")->values, std::vector<std::string>{"OptIn"});

    Out(sim, {"/set", kWin10, "description", "Windows 10 (work)"});
    Out(sim, {"/set", kWin10, "quietboot", "off"});
    Out(sim, {"/set", kWin10, "numproc", "0x10"});
    SimObject* win10 = store.FindByGuid(kWin10);
    EXPECT_EQ(win10->Find("description")->values[0], "Windows 10 (work)");
    EXPECT_EQ(win10->Find("quietboot")->values[0], "No");
    EXPECT_EQ(win10->Find("numproc")->values[0], "16");

    // List form: each value one argument; references resolve to GUIDs.
    Out(sim, {"/set", "{bootmgr}", "displayorder", kWin10, "{current}"});
    EXPECT_EQ(store.FindByAlias("{bootmgr}")->Find("displayorder")->values,
              (std::vector<std::string>{kWin10, kWin11}));
    Out(sim, {"/set", "{current}", "custom:26000099", "yes"});
    EXPECT_EQ(store.FindByGuid(kWin11)->Find("custom:26000099")->values[0], "Yes");

    EXPECT_NE(Err(sim, {"/set", kWin10, "nosuchelement", "1"}).find("not recognized"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", "{bootmgr}", "nx", "OptIn"}).find("does not apply"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "nx", "sometimes"}).find("set command specified is not valid"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "numproc", "two"}).find("integer data is not valid"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "device", "nowhere"}).find("device is not valid"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "description", "a", "b"}).find("not valid"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", "{00000000-0000-0000-0000-000000000001}", "sos", "yes"})
                  .find("reference the specified entry"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", "{bootmgr}", "default", "{nonsense}"}).find("not valid"),
              std::string::npos);
}

TEST(Simulator, DeleteValueCopyAndDelete)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    Out(sim, {"/deletevalue", kWin10, "quietboot"});
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("quietboot"), nullptr);
    EXPECT_NE(Err(sim, {"/deletevalue", kWin10, "quietboot"}).find("delete the specified data"),
              std::string::npos);

    sim.SetGuidSource([] { return std::string("{11111111-2222-3333-4444-555555555555}"); });
    SimOutput copy = sim.Execute({"/Copy", kWin10, "/d", "Windows 10 clone"});
    EXPECT_EQ(copy.out,
              "The entry was successfully copied to {11111111-2222-3333-4444-555555555555}.\r\n");
    SimObject* clone = store.FindByGuid("{11111111-2222-3333-4444-555555555555}");
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Find("description")->values[0], "Windows 10 clone");
    EXPECT_EQ(clone->Find("nx")->values, store.FindByGuid(kWin10)->Find("nx")->values);
    EXPECT_NE(Err(sim, {"/copy", "{bootmgr}", "/d", "x"}).find("copy command"), std::string::npos);

    // The copy of a loader ends the boot menu.
    EXPECT_EQ(store.FindByAlias("{bootmgr}")->Find("displayorder")->values.back(),
              "{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(store.FindByAlias("{bootmgr}")->Find("displayorder")->values.size(), 6u);

    size_t before = store.objects.size();
    Out(sim, {"/DELETE", kWin10, "/cleanup"});
    EXPECT_EQ(store.objects.size(), before - 1);
    EXPECT_EQ(store.FindByGuid(kWin10), nullptr);
    for (const std::string& entry : store.FindByAlias("{bootmgr}")->Find("displayorder")->values)
        EXPECT_NE(entry, kWin10);
    EXPECT_EQ(store.FindByAlias("{bootmgr}")->Find("displayorder")->values.size(), 5u);
    EXPECT_NE(Err(sim, {"/delete", "{bootmgr}", "/cleanup"}).find("cannot be deleted"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/delete", kWin10}).find("reference the specified entry"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/frobnicate"}).find("Invalid command line switch: /frobnicate"),
              std::string::npos);
}

TEST(Simulator, DebuggerSettingsShowAndChange)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    EXPECT_EQ(Out(sim, {"/DBGSETTINGS"}),
              "debugtype               Local\r\n"
              "The operation completed successfully.\r\n") << "as most PCs store it";

    // Serial without a port takes port 1 (and the usual rate).
    Out(sim, {"/DBGSETTINGS", "SERIAL"});
    EXPECT_EQ(Out(sim, {"/dbgsettings"}),
              "debugtype               Serial\r\n"
              "debugport               1\r\n"
              "baudrate                115200\r\n"
              "The operation completed successfully.\r\n");
    Out(sim, {"/DBGSETTINGS", "SERIAL", "DEBUGPORT:2", "BAUDRATE:57600"});

    // USB names its target first and keeps the serial port and rate.
    Out(sim, {"/DBGSETTINGS", "USB", "TARGETNAME:kdtarget", "/start", "AUTOENABLE", "/noumex"});
    EXPECT_EQ(Out(sim, {"/dbgsettings"}),
              "targetname              kdtarget\r\n"
              "debugtype               USB\r\n"
              "debugport               2\r\n"
              "baudrate                57600\r\n"
              "debugstart              AutoEnable\r\n"
              "noumex                  Yes\r\n"
              "The operation completed successfully.\r\n");
    Out(sim, {"/DBGSETTINGS", "1394", "CHANNEL:12"});
    EXPECT_EQ(Out(sim, {"/dbgsettings"}),
              "debugtype               1394\r\n"
              "debugport               2\r\n"
              "baudrate                57600\r\n"
              "channel                 12\r\n"
              "The operation completed successfully.\r\n");

    // Network debugging: the key first; without one the tool makes one up
    // and says so before the success line.
    SimOutput net = sim.Execute({"/DBGSETTINGS", "NET", "HOSTIP:192.168.1.2", "PORT:50000"});
    ASSERT_EQ(net.err, "");
    std::vector<std::string> lines = SplitToolOutput(net.out);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].substr(0, 4), "Key=");
    std::string key = lines[0].substr(4);
    EXPECT_EQ(std::count(key.begin(), key.end(), '.'), 3);
    EXPECT_EQ(lines[1], "The operation completed successfully.");
    EXPECT_EQ(Out(sim, {"/dbgsettings"}),
              "key                     " + key + "\r\n"
              "debugtype               NET\r\n"
              "hostip                  192.168.1.2\r\n"
              "port                    50000\r\n"
              "dhcp                    Yes\r\n"
              "The operation completed successfully.\r\n");
    EXPECT_EQ(Out(sim, {"/DBGSETTINGS", "NET", "HOSTIP:10.0.0.1", "PORT:5364", "KEY:a.b.c.d"}),
              "The operation completed successfully.\r\n") << "a given key: no Key= line";
    for (const char* port : {"PORT:80", "PORT:49151", "PORT:65536", "PORT:x"})
        EXPECT_NE(Err(sim, {"/DBGSETTINGS", "NET", "HOSTIP:10.0.0.1", port}), "") << port;
    Out(sim, {"/DBGSETTINGS", "LOCAL"});
    EXPECT_EQ(Out(sim, {"/dbgsettings"}),
              "debugtype               Local\r\nThe operation completed successfully.\r\n");

    EXPECT_NE(Err(sim, {"/DBGSETTINGS", "SERIAL", "DEBUGPORT:x"}).find("integer"), std::string::npos);
    EXPECT_NE(Err(sim, {"/DBGSETTINGS", "PIGEON"}).find("debugger settings"), std::string::npos);
    EXPECT_NE(Err(sim, {"/DBGSETTINGS", "USB"}).find("debugger settings"), std::string::npos);
    EXPECT_NE(Err(sim, {"/DBGSETTINGS", "USB", "TARGETNAME:a", "/start", "sometimes"})
                  .find("debugger settings"),
              std::string::npos);
}

TEST(Simulator, StoreTextRoundTrips)
{
    CSimStore store = SampleStore();
    std::string text = store.Serialize();
    CSimStore again;
    std::string error;
    ASSERT_TRUE(again.Parse(text, error)) << error;
    EXPECT_EQ(again.Serialize(), text);
    EXPECT_EQ(again.objects.size(), store.objects.size());
    EXPECT_EQ(again.current, kWin11);

    // A slow or hung tool's settings are kept when the store is written back.
    std::string slow = "[store]\n@delay = 2000\n@hang = yes\n@hangafter = 3\n";
    CSimStore timed;
    ASSERT_TRUE(timed.Parse(slow, error)) << error;
    EXPECT_EQ(timed.delayMilliseconds, 2000);
    EXPECT_TRUE(timed.hang);
    EXPECT_EQ(timed.hangAfter, 3);
    CSimStore timedAgain;
    ASSERT_TRUE(timedAgain.Parse(timed.Serialize(), error)) << error;
    EXPECT_EQ(timedAgain.Serialize(), timed.Serialize());
    EXPECT_EQ(timedAgain.hangAfter, 3);
    EXPECT_EQ(again.hangAfter, -1) << "none unless asked";

    EXPECT_FALSE(again.Parse("[{bad}]\n@kind = osloader\n", error));
    EXPECT_FALSE(again.Parse("description = outside\n", error));
    EXPECT_FALSE(again.Parse("[{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}]\n@kind = toaster\n", error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_FALSE(again.Parse("[{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}]\ndescription = x\n", error));
}

TEST_F(SimulatorStoreFile, ChangesAreWrittenAndFailuresLeaveTheStoreAlone)
{
    ASSERT_TRUE(WriteStoreAtomically(path_, kSampleStoreText));
    SimRunResult result = RunSimulatorOnFile({"/set", kWin10, "sos", "on"}, path_, false);
    EXPECT_EQ(result.out, "The operation completed successfully.\r\n");
    EXPECT_NE(Contents().find("sos = Yes"), std::string::npos);
    EXPECT_EQ(std::fopen((path_ + ".tmp").c_str(), "rb"), nullptr) << "temporary file left";

    std::string before = Contents();
    result = RunSimulatorOnFile({"/set", kWin10, "sos", "maybe"}, path_, false);
    EXPECT_NE(result.err.find("not valid"), std::string::npos);
    EXPECT_EQ(Contents(), before);

    result = RunSimulatorOnFile({"/set", kWin10, "sos", "no"}, path_, true);
    EXPECT_EQ(result.err,
              "The boot configuration data store could not be opened.\r\nAccess is denied.\r\n");
    EXPECT_EQ(Contents(), before);
}

TEST_F(SimulatorStoreFile, CorruptOrMissingStoreGivesTheToolsError)
{
    SimRunResult missing = RunSimulatorOnFile({"/ENUM", "/V"}, path_, false);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "The boot configuration data store could not be opened.\r\n"
              "The system cannot find the file specified.\r\n");

    const std::string corrupt = "[store]\n@current = {5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}\n"
                                "[{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}\ngarbage\n";
    ASSERT_TRUE(WriteStoreAtomically(path_, corrupt));
    SimRunResult result = RunSimulatorOnFile({"/set", kWin10, "sos", "on"}, path_, false);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("could not be opened"), std::string::npos);
    EXPECT_EQ(Contents(), corrupt);

    std::string denied = std::string(kSampleStoreText);
    denied.replace(denied.find("@accessdenied = no"), 18, "@accessdenied = yes");
    ASSERT_TRUE(WriteStoreAtomically(path_, denied));
    EXPECT_NE(RunSimulatorOnFile({"/ENUM", "/V"}, path_, false).err.find("Access is denied"),
              std::string::npos);
}

TEST(Simulator, EveryChangeLeavesAStoreThatReadsBackTheSame)
{
    // The debugger object without its alias line: the settings go into it.
    std::string text = kSampleStoreText;
    text.erase(text.find("@alias = {dbgsettings}\n"), 23);
    CSimStore store;
    std::string error;
    ASSERT_TRUE(store.Parse(text, error)) << error;
    CSimulator sim(store);
    size_t objects = store.objects.size();
    EXPECT_TRUE(sim.Execute({"/DBGSETTINGS", "1394", "CHANNEL:3"}).changed);
    EXPECT_EQ(store.objects.size(), objects);
    CSimStore again;
    ASSERT_TRUE(again.Parse(store.Serialize(), error)) << error;
    EXPECT_EQ(again.Serialize(), store.Serialize());

    // A new identifier that is taken already is not used.
    int calls = 0;
    sim.SetGuidSource([&] {
        return ++calls == 1 ? std::string(kWin10) : std::string("{22222222-2222-2222-2222-222222222222}");
    });
    EXPECT_EQ(sim.Execute({"/copy", kWin10, "/d", "copy"}).out,
              "The entry was successfully copied to {22222222-2222-2222-2222-222222222222}.\r\n");
    sim.SetGuidSource([] { return std::string(kWin10); });
    EXPECT_NE(sim.Execute({"/copy", kWin10, "/d", "again"}).err, "");

    // A value the text store cannot keep is refused; outer blanks stay, as
    // the tool keeps them, and survive the store file.
    EXPECT_NE(sim.Execute({"/set", kWin10, "description", "two\nlines"}).err, "");
    EXPECT_TRUE(sim.Execute({"/set", kWin10, "description", "  padded  "}).changed);
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("description")->values[0], "  padded  ");
    ASSERT_TRUE(again.Parse(store.Serialize(), error)) << error;
    EXPECT_EQ(again.FindByGuid(kWin10)->Find("description")->values[0], "  padded  ");
    ASSERT_TRUE(again.Parse(store.Serialize(), error)) << error;
    EXPECT_EQ(again.Serialize(), store.Serialize());
}

TEST(Simulator, DeleteWithCleanupRemovesEveryReferenceAndAnUnsharedResumeEntry)
{
    const char* const kResume = "{5d8a3f2f-1c4b-11ef-9a7d-806e6f6e6963}";
    const char* const kTest = "{5d8a3f31-1c4b-11ef-9a7d-806e6f6e6963}";
    CSimStore store = SampleStore();
    CSimulator sim(store);
    SimObject* manager = store.FindByAlias("{bootmgr}");
    ASSERT_NE(manager, nullptr);
    ASSERT_NE(manager->Find("default"), nullptr);
    ASSERT_EQ(manager->Find("default")->values[0], kWin11) << "the sample's default";
    ASSERT_NE(store.FindByGuid(kResume), nullptr);

    // Another loader sharing the resume entry keeps it alive.
    Out(sim, {"/set", kTest, "resumeobject", kResume});
    Out(sim, {"/delete", kWin11, "/cleanup"});
    manager = store.FindByAlias("{bootmgr}");
    EXPECT_EQ(manager->Find("default"), nullptr) << "no default naming a deleted entry";
    EXPECT_NE(store.FindByGuid(kResume), nullptr) << "still used by the test-signed loader";
    for (const SimObject& object : store.objects)
        for (const SimElement& element : object.elements)
            for (const std::string& value : element.values)
                EXPECT_NE(value, kWin11) << object.guid << " " << element.name;
    std::string enumerated = Out(sim, {"/enum", "{bootmgr}"});
    EXPECT_EQ(enumerated.find("default "), std::string::npos) << enumerated;

    // The last loader using it goes: so does the resume entry, and every
    // element naming it (the manager's resumeobject).
    Out(sim, {"/delete", kTest});
    EXPECT_EQ(store.FindByGuid(kResume), nullptr);
    EXPECT_EQ(store.FindByAlias("{bootmgr}")->Find("resumeobject"), nullptr);
    EXPECT_NE(store.FindByAlias("{bootmgr}")->Find("toolsdisplayorder"), nullptr)
        << "elements naming other entries stay";

    // Without cleanup only the entry itself goes.
    CSimStore plain = SampleStore();
    CSimulator quiet(plain);
    Out(quiet, {"/delete", kWin11, "/nocleanup"});
    EXPECT_EQ(plain.FindByGuid(kWin11), nullptr);
    ASSERT_NE(plain.FindByAlias("{bootmgr}")->Find("default"), nullptr);
    EXPECT_EQ(plain.FindByAlias("{bootmgr}")->Find("default")->values[0], kWin11);
    EXPECT_NE(plain.FindByGuid(kResume), nullptr);
}

TEST(Simulator, CommandLinesSplitAsTheRuntimeSplitsThemAndAreLogged)
{
    EXPECT_EQ(ArgumentString("BCDEDIT.EXE /set {a} description \"My Windows\""),
              "/set {a} description \"My Windows\"");
    EXPECT_EQ(ArgumentString("\"C:\\Program Files\\x\\BCDEDIT.EXE\"  /enum"), "/enum");
    EXPECT_EQ(ArgumentString("BCDEDIT.EXE"), "");
    EXPECT_EQ(SplitArguments("/set {a} description \"My Windows\" "),
              (std::vector<std::string>{"/set", "{a}", "description", "My Windows"}));
    EXPECT_EQ(SplitArguments("/set {a} badmemorylist 0x1 0x2 "),
              (std::vector<std::string>{"/set", "{a}", "badmemorylist", "0x1", "0x2"}));
    EXPECT_EQ(SplitArguments("a \"\" b\\\\\"c d\" e\\"),
              (std::vector<std::string>{"a", "", "b\\c d", "e\\"}));
    EXPECT_EQ(SplitArguments("say \\\"hi\\\""), (std::vector<std::string>{"say", "\"hi\""}));
    EXPECT_TRUE(SplitArguments("   ").empty());

    char path[] = "/tmp/keystave-simlog-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_TRUE(AppendCommandLog(path, "/ENUM /V"));
    ASSERT_TRUE(AppendCommandLog(path, "/set {a} description \"two\r\nlines\""));
    std::string logged;
    ASSERT_TRUE(ReadWholeFile(path, logged));
    EXPECT_EQ(logged, "/ENUM /V\n/set {a} description \"two  lines\"\n");
    std::remove(path);
    EXPECT_FALSE(AppendCommandLog("/nonexistent/folder/log.txt", "x"));
}

TEST(Simulator, ElementsPrintInTypeCodeOrderAndBadSetsGetTheToolsWords)
{
    CSimStore store = SampleStore();
    CSimulator sim(store);
    // Added last, printed where the tool would print it.
    Out(sim, {"/set", kWin10, "loadoptions", "DDISABLE_INTEGRITY_CHECKS"});
    Out(sim, {"/set", kWin10, "custom:15000099", "7"});
    std::vector<std::string> lines = SplitToolOutput(Out(sim, {"/enum", kWin10}));
    std::vector<std::string> names;
    for (const std::string& line : lines)
        if (line[0] != ' ' && line[0] != '-')
            names.push_back(line.substr(0, line.find(' ')));
    auto at = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_LT(at("device"), at("path"));
    EXPECT_LT(at("path"), at("description"));
    EXPECT_LT(at("locale"), at("loadoptions"));
    EXPECT_LT(at("loadoptions"), at("inherit")) << "0x12000030 comes before 0x14000006";
    EXPECT_LT(at("inherit"), at("custom:15000099")) << "a custom element by its number";
    EXPECT_LT(at("custom:15000099"), at("osdevice"));
    EXPECT_LT(at("osdevice"), at("nx"));
    EXPECT_LT(at("nx"), at("quietboot"));
    EXPECT_LT(at("bootstatuspolicy"), at("quietboot")) << "0x250000e0 before 0x26000041";
    EXPECT_EQ(at("nonexistent"), static_cast<long>(names.size()));

    // An empty list and a value of the wrong type are refused in the tool's words.
    EXPECT_NE(Err(sim, {"/set", "{bootmgr}", "displayorder"}).find("is not valid"),
              std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "numproc", "many"}).find("not valid"), std::string::npos);
    EXPECT_NE(Err(sim, {"/set", kWin10, "nx", "Sometimes"}).find("not valid"), std::string::npos);
    EXPECT_EQ(store.FindByGuid(kWin10)->Find("numproc"), nullptr) << "nothing stored";
}

TEST_F(SimulatorStoreFile, StoreSwitchReadsAndChangesThatFileOnlyAndCreatestoreMakesOne)
{
    ASSERT_TRUE(WriteStoreAtomically(path_, kSampleStoreText));
    const std::string system = Contents();
    const std::string other = folder_ + "/other.txt";

    // Made empty, then read: the tool's words for an empty store.
    SimRunResult made = RunSimulatorCommand({"/createstore", other}, path_, false);
    EXPECT_EQ(made.out, "The operation completed successfully.\r\n");
    EXPECT_EQ(made.err, "");
    SimRunResult again = RunSimulatorCommand({"/createstore", other}, path_, false);
    EXPECT_EQ(again.err, "The boot configuration data store could not be created.\r\nThe file exists.\r\n");
    SimRunResult empty = RunSimulatorCommand({"/store", other, "/ENUM", "/V"}, path_, false);
    EXPECT_EQ(empty.out + empty.err, "There are no matching objects or the store is empty.\r\n");

    // The sample in the other file: a change there leaves the system store as it was.
    ASSERT_TRUE(WriteStoreAtomically(other, kSampleStoreText));
    SimRunResult set = RunSimulatorCommand({"/store", other, "/set", kWin10, "description", "Repaired"}, path_, false);
    EXPECT_EQ(set.out, "The operation completed successfully.\r\n") << set.err;
    EXPECT_NE(RunSimulatorCommand({"/ENUM", "/V", "/STORE", other}, path_, false).out.find("Repaired"), std::string::npos)
        << "the switch in any place and case";
    EXPECT_EQ(RunSimulatorCommand({"/ENUM", "/V"}, path_, false).out.find("Repaired"), std::string::npos);
    EXPECT_EQ(Contents(), system) << "the system store is byte for byte the same";

    // A missing file, a switch without a file, and /export or /import on a file fail.
    SimRunResult missing = RunSimulatorCommand({"/store", folder_ + "/none.txt", "/ENUM", "/V"}, path_, false);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "The boot configuration data store could not be opened.\r\n"
                           "The system cannot find the file specified.\r\n");
    EXPECT_NE(RunSimulatorCommand({"/ENUM", "/V", "/store"}, path_, false).err.find("/store"), std::string::npos);
    EXPECT_EQ(RunSimulatorCommand({"/store", other, "/export", folder_ + "/x.bak"}, path_, false).err,
              "The store export operation has failed.\r\nThe parameter is incorrect.\r\n");
    EXPECT_EQ(RunSimulatorCommand({"/store", other, "/import", folder_ + "/x.bak"}, path_, false).err,
              "The store import operation has failed.\r\nThe parameter is incorrect.\r\n");
    std::string ignored;
    EXPECT_FALSE(ReadWholeFile(folder_ + "/x.bak", ignored)) << "nothing exported";
    std::remove(other.c_str());
}
