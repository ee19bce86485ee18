#include "exec/ToolCommand.h"
#include "exec/ToolWords.h"
#include "exec/CCommandHistory.h"

#include <gtest/gtest.h>

namespace {

const std::string kId = "{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}";

// This PC's store again when a test ends, however it ends.
struct SystemStoreAfterwards {
    ~SystemStoreAfterwards() { UseStoreFile(""); }
};

std::string Args(const ToolCommand& command)
{
    EXPECT_TRUE(command.ok) << command.reason;
    return command.arguments;
}

}  // namespace

TEST(ToolCommand, BuildsEveryCommandOfTheContract)
{
    EXPECT_EQ(Args(EnumStoreCommand()), "/ENUM /V");
    EXPECT_EQ(Args(DebugSettingsCommand()), "/DBGSETTINGS");
    EXPECT_EQ(Args(EnumObjectCommand("{bootmgr}")), "/enum {bootmgr} /v");
    EXPECT_EQ(Args(DeleteEntryCommand(kId)), "/DELETE " + kId + " /cleanup");
    EXPECT_EQ(Args(CopyEntryCommand(kId, "Windows 11 copy")),
              "/Copy " + kId + " /d \"Windows 11 copy\"");
    EXPECT_EQ(Args(SetValueCommand(kId, "nx", "OPTOUT")), "/set " + kId + " nx \"OPTOUT\"");
    EXPECT_EQ(Args(SetValueCommand(kId, "description", "")), "/set " + kId + " description \"\"");
    EXPECT_EQ(Args(SetListCommand("{bootmgr}", "displayorder", {"{a}", "{b}"})),
              "/set {bootmgr} displayorder {a} {b} ");
    EXPECT_EQ(Args(SetListCommand(kId, "badmemorylist", {})), "/set " + kId + " badmemorylist ");
    EXPECT_EQ(Args(SetUnquotedCommand(kId, "numproc", "2")), "/set " + kId + " numproc 2");
    EXPECT_EQ(Args(DeleteValueCommand(kId, "sos")), "/deletevalue " + kId + " sos");

    EXPECT_EQ(Args(DebugSerialCommand("1", "115200", {})),
              "/DBGSETTINGS SERIAL DEBUGPORT:1 BAUDRATE:115200");
    EXPECT_EQ(Args(DebugUsbCommand("target", {"ACTIVE", false})),
              "/DBGSETTINGS USB TARGETNAME:target /start ACTIVE");
    EXPECT_EQ(Args(Debug1394Command("12", {"", true})), "/DBGSETTINGS 1394 CHANNEL:12 /noumex");
    EXPECT_EQ(Args(Debug1394Command("12", {"AUTOENABLE", true})),
              "/DBGSETTINGS 1394 CHANNEL:12 /start AUTOENABLE /noumex");
}

TEST(ToolCommand, RefusesValuesThatWouldBreakOutOfTheirArgument)
{
    // A quote would end the argument and hand the rest to the tool as switches.
    ToolCommand set = SetValueCommand(kId, "description", "x\" /delete {current} /f \"");
    EXPECT_FALSE(set.ok);
    EXPECT_TRUE(set.arguments.empty());
    EXPECT_NE(set.reason.find("double quote"), std::string::npos);

    EXPECT_FALSE(CopyEntryCommand(kId, "a\"b").ok);
    EXPECT_FALSE(SetUnquotedCommand(kId, "description", "a\"b").ok);
    // A trailing backslash would escape the closing quote.
    ToolCommand path = SetValueCommand(kId, "path", "\\windows\\");
    EXPECT_FALSE(path.ok);
    EXPECT_NE(path.reason.find("backslash"), std::string::npos);
    EXPECT_FALSE(SetValueCommand(kId, "description", "two\r\nlines").ok);

    // Unquoted words must stay one argument each.
    EXPECT_FALSE(SetValueCommand("{a} {b}", "description", "x").ok);
    EXPECT_FALSE(SetValueCommand(kId, "desc ription", "x").ok);
    EXPECT_FALSE(DeleteEntryCommand("").ok);
    EXPECT_FALSE(EnumObjectCommand("{a}\"").ok);
    EXPECT_FALSE(SetListCommand(kId, "displayorder", {"{a}", "{b} /f"}).ok);
    EXPECT_FALSE(SetListCommand(kId, "displayorder", {""}).ok);
    EXPECT_FALSE(DebugSerialCommand("1 /noumex", "115200", {}).ok);
    EXPECT_FALSE(DebugUsbCommand("x", {"ACTIVE /f", false}).ok);
}

TEST(ToolCommand, RefusesCommandsThatDoNotFitTheRunnersBuffer)
{
    // "BCDEDIT.EXE" + blank + arguments + NUL must fit 1024 bytes.
    const size_t overhead = std::string("/Copy ").size() + kId.size() + std::string(" /d \"\"").size();
    const size_t room = 1024 - 11 - 1 - 1 - overhead;
    EXPECT_TRUE(CopyEntryCommand(kId, std::string(room, 'd')).ok);
    ToolCommand tooLong = CopyEntryCommand(kId, std::string(room + 1, 'd'));
    EXPECT_FALSE(tooLong.ok);
    EXPECT_NE(tooLong.reason.find("too long"), std::string::npos);
    EXPECT_TRUE(FitsCommandLine(std::string(1011, 'a')));
    EXPECT_FALSE(FitsCommandLine(std::string(1012, 'a')));
}

TEST(ToolCommand, TheToolsWordsAreRecognisedAsTheCallersReadThem)
{
    using Lines = std::vector<std::string>;
    // The debugger settings end at a line that begins with a success line.
    EXPECT_TRUE(StartsWithAnySuccessLine("The operation completed successfully.xyz"));
    EXPECT_FALSE(StartsWithAnySuccessLine(" The operation completed successfully."));
    EXPECT_FALSE(StartsWithAnySuccessLine("the operation completed successfully."));

    Lines copied{"The entry was successfully copied to {063973c5-d0ac-11ed-b884-cfa59b967f58}."};
    EXPECT_EQ(CopiedIdentifierInAnyLanguage(copied), "{063973c5-d0ac-11ed-b884-cfa59b967f58}");
    EXPECT_EQ(CopiedIdentifierInAnyLanguage({"The operation completed successfully."}), "");
    EXPECT_EQ(CopiedIdentifierInAnyLanguage({"The entry was successfully copied to"}), "");
    EXPECT_EQ(CopiedIdentifierInAnyLanguage(Lines{}), "");
}

TEST(ToolCommand, AStoreFileIsNamedByEveryCommandAndRefusedWhenItCannotBe)
{
    const std::string file = "D:\\EFI\\Microsoft\\Boot\\BCD";
    const std::string part = "/store \"" + file + "\" ";
    SystemStoreAfterwards restore;
    // This PC's store first: no store part anywhere.
    ASSERT_TRUE(UseStoreFile("").ok);
    EXPECT_EQ(StoreFileInUse(), "");
    EXPECT_EQ(Args(EnumStoreCommand()), "/ENUM /V");
    const std::string longText(940, 'x');
    EXPECT_TRUE(SetValueCommand(kId, "description", longText).ok) << "fits without a store's part";

    ToolCommand chosen = UseStoreFile(file);
    ASSERT_TRUE(chosen.ok) << chosen.reason;
    EXPECT_EQ(chosen.arguments, part + "/ENUM /V") << "the listing to read it with";
    EXPECT_EQ(StoreFileInUse(), file);
    // Reads, writes, copies, deletions and the debugger's: each names the file once, first.
    EXPECT_EQ(Args(EnumStoreCommand()), part + "/ENUM /V");
    EXPECT_EQ(Args(DebugSettingsCommand()), part + "/DBGSETTINGS");
    EXPECT_EQ(Args(EnumObjectCommand("{bootmgr}")), part + "/enum {bootmgr} /v");
    EXPECT_EQ(Args(DeleteEntryCommand(kId)), part + "/DELETE " + kId + " /cleanup");
    EXPECT_EQ(Args(CopyEntryCommand(kId, "Copy")), part + "/Copy " + kId + " /d \"Copy\"");
    EXPECT_EQ(Args(SetValueCommand(kId, "nx", "OptIn")), part + "/set " + kId + " nx \"OptIn\"");
    EXPECT_EQ(Args(SetListCommand("{bootmgr}", "displayorder", {"{a}"})), part + "/set {bootmgr} displayorder {a} ");
    EXPECT_EQ(Args(DeleteValueCommand(kId, "sos")), part + "/deletevalue " + kId + " sos");
    EXPECT_EQ(Args(DebugLocalCommand({})), part + "/DBGSETTINGS LOCAL");
    // What the program judges by the first word sees through the store's part.
    EXPECT_TRUE(IsChangingCommand(Args(SetValueCommand(kId, "nx", "OptIn"))));
    EXPECT_FALSE(IsChangingCommand(Args(EnumStoreCommand()))) << "a read of a store file changes nothing";
    EXPECT_FALSE(IsChangingCommand(Args(DebugSettingsCommand())));
    EXPECT_EQ(WithoutStorePart(Args(DeleteEntryCommand(kId))), "/DELETE " + kId + " /cleanup");
    // {current}, /export and /import mean nothing for a file: refused, with why.
    EXPECT_FALSE(EnumCurrentCommand().ok);
    EXPECT_EQ(EnumCurrentCommand().reason, kNoCurrentInStoreFile);
    EXPECT_FALSE(ExportStoreCommand("C:\\backup.bak").ok);
    EXPECT_EQ(ImportStoreCommand("C:\\backup.bak").reason, kNoExportForStoreFile);
    // A command that no longer fits with the store's part is refused whole.
    ToolCommand tooLong = SetValueCommand(kId, "description", longText);
    EXPECT_FALSE(tooLong.ok);
    EXPECT_NE(tooLong.reason.find("too long"), std::string::npos);

    // Paths that cannot be one argument are refused, and the file in use stays.
    for (const std::string& bad : {std::string("D:\\a\"b\\BCD"), std::string("D:\\Boot\\"),
                                   std::string("D:\\") + std::string(1010, 'n'), std::string("D:\\a\nb")}) {
        ToolCommand refused = UseStoreFile(bad);
        EXPECT_FALSE(refused.ok) << bad;
        EXPECT_FALSE(refused.reason.empty());
        EXPECT_EQ(StoreFileInUse(), file);
    }
    const std::string fileRead = Args(EnumStoreCommand());
    const std::string fileChange = Args(SetValueCommand(kId, "nx", "OptIn"));
    // Back to this PC's store: every command as before.
    ASSERT_TRUE(UseStoreFile("").ok);
    // Commands kept from the file (the history's) are judged as they were.
    EXPECT_FALSE(IsChangingCommand(fileRead));
    EXPECT_TRUE(IsChangingCommand(fileChange));
    EXPECT_EQ(WithoutStorePart(fileRead), "/ENUM /V");
    EXPECT_EQ(WithoutStorePart("/ENUM /V"), "/ENUM /V");
    EXPECT_EQ(Args(EnumCurrentCommand()), "/enum {current} /v");
    EXPECT_EQ(Args(ExportStoreCommand("C:\\b.bak")), "/export \"C:\\b.bak\"");
    EXPECT_EQ(Args(EnumStoreCommand()), "/ENUM /V");
}

TEST(ToolCommand, TheProgramsCommandLineNamesAStoreFileAfterTheStoreSwitch)
{
    EXPECT_EQ(StoreFileArgument({"keystave.exe", "/store", "D:\\EFI\\Microsoft\\Boot\\BCD"}),
              "D:\\EFI\\Microsoft\\Boot\\BCD");
    EXPECT_EQ(StoreFileArgument({"keystave.exe", "/STORE", "x"}), "x");
    EXPECT_EQ(StoreFileArgument({"keystave.exe", "/store"}), "") << "a switch without a file names none";
    EXPECT_EQ(StoreFileArgument({"keystave.exe"}), "");
    EXPECT_EQ(StoreFileArgument({}), "");
}
