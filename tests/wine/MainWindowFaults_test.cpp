#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

// Faults of the main window, its backups and its languages, found by
// driving it as a user would: what the user sees, what reached the tool.
namespace {

class MainWindowFaults : public ProgramTest {
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", nullptr);
    }
    HWND Backups()
    {
        Press(main, IDC_BACKUPS);
        return Window("Backups and Restore");
    }
};

}  // namespace

TEST_F(MainWindowFaults, BackUpNowThatFailsShowsTheExportCommandItRan)
{
    AddStoreSetting("@exportfails = yes");
    Start(kSampleRows);
    HWND backups = Backups();
    ASSERT_NE(backups, nullptr);
    for (int attempt = 0; attempt < 10; ++attempt) {
        Press(backups, IDC_BACKUP_NOW);
        HWND log = Window("Command Output");
        ASSERT_NE(log, nullptr) << attempt;
        std::vector<std::string> sent = ReadCommandLog(logPath);
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back().rfind("/export \"" + appData + "\\Keystave\\Backups\\BCD-", 0), 0u) << sent.back();
        EXPECT_EQ(WindowText(::GetDlgItem(log, IDC_COMMAND_TEXT)), sent.back()) << "try " << attempt;
        ::PostMessageA(log, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(Gone(log));
    }
    EXPECT_EQ(Count("/export"), 10);
}

TEST_F(MainWindowFaults, EnterInTheBackupListAsksToRestoreAndNoRestoresNothing)
{
    Start(kSampleRows);
    HWND backups = Backups();
    ASSERT_NE(backups, nullptr);
    HWND list = ::GetDlgItem(backups, IDC_BACKUP_LIST);
    Press(backups, IDC_BACKUP_NOW);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetItemCount(list) == 1; }));
    ClickAt(RemoteListView(list).ItemCentre(0));
    PressKey(VK_RETURN);
    HWND confirm = Window("Backups and Restore");
    ASSERT_NE(confirm, nullptr);
    ASSERT_NE(confirm, backups) << "Enter in the list means Restore, with its question";
    EXPECT_EQ(WindowText(::GetDlgItem(confirm, 0xFFFF)).rfind("Restore the backup of ", 0), 0u);
    Press(confirm, IDNO);
    ASSERT_TRUE(Gone(confirm));
    EXPECT_TRUE(::IsWindow(backups)) << "the window stays open";
    Press(backups, IDCANCEL);
    ASSERT_TRUE(Gone(backups));
    EXPECT_EQ(Count("/import"), 0);
    EXPECT_EQ(StatusLine().find("restored"), std::string::npos) << StatusLine();

    // Positive control: Enter and Yes restore, and only then is it said.
    backups = Backups();
    ASSERT_NE(backups, nullptr);
    list = ::GetDlgItem(backups, IDC_BACKUP_LIST);
    ClickAt(RemoteListView(list).ItemCentre(0));
    PressKey(VK_RETURN);
    confirm = Window("Backups and Restore");
    ASSERT_NE(confirm, backups);
    Press(confirm, IDYES);
    ASSERT_TRUE(Gone(backups));
    EXPECT_EQ(Count("/import"), 1);
    EXPECT_TRUE(WaitUntil([&] { return StatusLine().find("restored from the backup of 20") != std::string::npos; }))
        << StatusLine();
}

TEST_F(MainWindowFaults, LanguagePacksWithoutTheSystemsCodePagesStartWithoutABox)
{
    // This Wine has US code pages: Polish and Japanese letters arrive as
    // best fits or '?', the success line matches no compiled text.
    ASSERT_EQ(::GetOEMCP(), 437u);
    for (const char* language : {"pl-PL", "ja-JP"}) {
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", language);
        Start(kSampleRows);
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << language << ": no box";
        HWND debug = ::GetDlgItem(main, IDC_DEBUGGER_GRID);
        EXPECT_TRUE(WaitUntil([&] { return ListView_GetItemCount(debug) > 0; })) << language;
        EXPECT_GE(GridRow(debug, "debugtype"), 0) << language << ": the debugger settings were read";
        EXPECT_EQ(RemoteListView(loaders).Text(0, 0), kWin11) << language;
        // A refresh brings no box either.
        ChangeNxAndWaitForTheRead(1);
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << language;
        ProgramTest::TearDown();
        program.reset();
        // The next language starts afresh, with its own log.
        UseFreshSampleStore(storePath);
        ::DeleteFileA(logPath.c_str());
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LOG", logPath.c_str());
    }
}

TEST_F(MainWindowFaults, TheRunningWindowsIsFoundInGermanAndItsDeletionWarns)
{
    ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", "de-DE");
    Start(kSampleRows);
    RemoteListView list(loaders);
    EXPECT_TRUE(WaitUntil([&] { return list.Text(0, 5) == "Default, running now"; })) << list.Text(0, 5);
    EXPECT_EQ(list.Text(1, 5), "");
    HWND box = nullptr;
    std::string question = AskToDelete(0, box);
    EXPECT_NE(question.find("This is the Windows that is running now."), std::string::npos) << question;
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);  // Cancel
    ASSERT_TRUE(Gone(box));
    EXPECT_EQ(Count("/DELETE"), 0);
}

TEST_F(MainWindowFaults, KeysThatOpenWindowsAndEscapeThatEndsNothing)
{
    Start(kSampleRows);
    // Escape in the main window, from the list and from a grid: nothing.
    ClickAt(RemoteListView(loaders).ItemCentre(1));
    PressKey(VK_ESCAPE);
    HWND boot = ::GetDlgItem(main, IDC_BOOTMGR_GRID);
    ClickAt(RemoteListView(boot).ItemCentre(0));
    PressKey(VK_ESCAPE);
    // Enter in the boot manager's grid opens Modify Boot.
    PressKey(VK_RETURN);
    HWND window = Window("Boot Manager Properties");
    ASSERT_NE(window, nullptr) << "Enter in the boot manager grid";
    EXPECT_TRUE(::IsWindow(main)) << "Escape did not end the program";
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
    // Enter in the debugger grid opens Modify Debug.
    HWND debug = ::GetDlgItem(main, IDC_DEBUGGER_GRID);
    ClickAt(RemoteListView(debug).ItemCentre(0));
    PressKey(VK_RETURN);
    window = Window("Modify Debug Settings");
    ASSERT_NE(window, nullptr) << "Enter in the debugger grid";
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
    EXPECT_TRUE(MainEnabled());
    // The close box's message still ends the program.
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program->WaitForExit(10000));
}
