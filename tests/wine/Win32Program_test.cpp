#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"
#include "version.h"

// The 32-bit program, as on 32-bit Windows and recovery media, driven by
// these 64-bit tests under Wine's 32-bit side: the same window against the
// same simulator, and the system's tool found through Sysnative.
namespace {

class Win32Program : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        bits32 = Windows32Folder();
        if (bits32.empty())
            GTEST_SKIP() << "KEYSTAVE_WINDOWS32_BIN names no 32-bit build";
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        if (!planted.empty())
            ::DeleteFileA(planted.c_str());
    }
    // Whether the started program runs as a 32-bit process.
    bool RunsAs32Bit()
    {
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, program->Id());
        BOOL wow64 = FALSE;
        bool result = process && ::IsWow64Process(process, &wow64) && wow64;
        if (process)
            ::CloseHandle(process);
        return result;
    }
    void ExpectTheSampleMenu()
    {
        RemoteListView list(loaders);
        const char* descriptions[] = {"Windows 11", "Windows 10 Pro", "Windows 11 (test signing)",
                                      "Earlier Version of Windows", "GRUB (Debian)", "Windows Memory Diagnostic"};
        for (int row = 0; row < kSampleRows; ++row)
            EXPECT_EQ(list.Text(row, 1), descriptions[row]) << row;
        EXPECT_EQ(list.Text(0, 0), kWin11);
        EXPECT_EQ(list.Text(5, 3), "Tools 1");
        EXPECT_EQ(list.Text(4, 6), "Boot sector");
    }

    std::string bits32, planted;
};

TEST_F(Win32Program, ShowsTheStoreAndSendsAChange)
{
    // Built for the other machine, with the same version as the 64-bit one.
    EXPECT_EQ(ImageMachine(bits32 + "\\keystave.exe"), IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(ImageMachine(bits32 + "\\BCDEDIT.EXE"), IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(ImageMachine(TestProgramFolder() + "\\keystave.exe"), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(FileVersionOf(bits32 + "\\keystave.exe"), KEYSTAVE_FILE_VERSION_TEXT);
    EXPECT_EQ(FileVersionOf(TestProgramFolder() + "\\keystave.exe"), KEYSTAVE_FILE_VERSION_TEXT);

    programFolder = bits32;
    Start(kSampleRows);
    EXPECT_TRUE(RunsAs32Bit());
    ExpectTheSampleMenu();
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no message";

    // Make Default on Windows 10: the command, the backup before it, the store.
    RightClickRow(1);
    ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr && InMenuLoop(main); }));
    PressKey('F');
    ASSERT_TRUE(WaitUntil([&] { return Count(std::string("/set {bootmgr} default ") + kWin10) == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return RemoteListView(loaders).Text(1, 2) == "TRUE"; }));
    EXPECT_EQ(RemoteListView(loaders).Text(0, 2), "FALSE");
    EXPECT_EQ(Count("/export "), 1);
    EXPECT_EQ(BackupFiles().size(), 1u);
    EXPECT_NE(StoreContent().find(std::string("default = ") + kWin10), std::string::npos);
}

TEST_F(Win32Program, FindsTheSystemToolThroughSysnative)
{
    // The program alone in a folder, the (64-bit) tool where Windows keeps
    // it: System32, which a 32-bit program does not see under that name.
    std::string alone = MakeTempFolder("ks-win32");
    for (const char* file : {"keystave.exe", "keystavedata.xml"})
        ASSERT_TRUE(::CopyFileA((bits32 + "\\" + file).c_str(), (alone + "\\" + file).c_str(), FALSE)) << file;
    char system[MAX_PATH] = {}, wow64[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryA(system, MAX_PATH), 0u);
    ASSERT_GT(::GetSystemWow64DirectoryA(wow64, MAX_PATH), 0u);
    planted = std::string(system) + "\\bcdedit.exe";
    ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "\\BCDEDIT.EXE").c_str(), planted.c_str(), FALSE));
    ASSERT_EQ(::GetFileAttributesA((std::string(wow64) + "\\bcdedit.exe").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the 32-bit System32 has no tool";

    programFolder = alone;
    Start(kSampleRows);
    EXPECT_TRUE(RunsAs32Bit());
    ExpectTheSampleMenu();
    std::vector<std::string> log = ReadCommandLog(logPath);
    EXPECT_NE(std::find(log.begin(), log.end(), "/ENUM /V"), log.end()) << "the system's tool read the store";
}

}  // namespace
