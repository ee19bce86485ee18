#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

// Faults found by driving the windows as a user would, each driven again:
// what the user sees, what reached the tool, what the store holds.
namespace {

class UserFaults : public ProgramTest {
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
    // A message box of the program, left open; its text.
    std::string BoxText(HWND& box)
    {
        box = Window("Keystave");
        return box ? WindowText(::GetDlgItem(box, 0xFFFF)) : std::string("<no box>");
    }
    // Adds (or deletes) an element in an open property window.
    void AddProperty(HWND window, const std::string& name, const std::string& typed)
    {
        Press(window, IDC_ADD_PROPERTY);
        HWND dialog = Window("Add a Property");
        ASSERT_NE(dialog, nullptr);
        ClickListEntry(::GetDlgItem(dialog, IDC_PROPERTY_LIST), name);
        PressKey(VK_TAB);
        Type(typed);
        Press(dialog, IDOK);
        ASSERT_TRUE(Gone(dialog));
    }
    void DeleteProperty(HWND window, const std::string& name)
    {
        Press(window, IDC_DELETE_PROPERTY);
        HWND dialog = Window("Delete a Property");
        ASSERT_NE(dialog, nullptr);
        ClickListEntry(::GetDlgItem(dialog, IDC_PROPERTY_LIST), name);
        Press(dialog, IDOK);
        ASSERT_TRUE(Gone(dialog));
    }
};

}  // namespace

TEST_F(UserFaults, BackUpNowThatFailsShowsTheExportCommandItRan)
{
    AddStoreSetting("@exportfails = yes");
    Start(4);
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

TEST_F(UserFaults, EnterInTheBackupListAsksToRestoreAndNoRestoresNothing)
{
    Start(4);
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

TEST_F(UserFaults, LanguagePacksWithoutTheSystemsCodePagesStartWithoutABox)
{
    // This Wine has US code pages: Polish and Japanese letters arrive as
    // best fits or '?', the success line matches no compiled text.
    ASSERT_EQ(::GetOEMCP(), 437u);
    for (const char* language : {"pl-PL", "ja-JP"}) {
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", language);
        Start(4);
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << language << ": no box";
        HWND debug = ::GetDlgItem(main, IDC_DEBUGGER_GRID);
        EXPECT_TRUE(WaitUntil([&] { return ListView_GetItemCount(debug) > 0; })) << language;
        EXPECT_GE(GridRow(debug, "debugtype"), 0) << language << ": the debugger settings were read";
        EXPECT_EQ(RemoteListView(loaders).Text(0, 0), kWin11) << language;
        // A refresh brings no box either.
        HWND window = OpenLoaderProperties(1);
        ASSERT_NE(window, nullptr);
        ChooseInCell(::GetDlgItem(window, IDC_LOADER_GRID), "nx", 1);
        Press(window, IDOK);
        ASSERT_TRUE(Gone(window));
        ASSERT_TRUE(WaitUntil([&] { return Count("/DBGSETTINGS") == 2; }));
        EXPECT_TRUE(MainEnabled());
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << language;
        ProgramTest::TearDown();
        program.reset();
        // The next language starts afresh, with its own log.
        UseFreshSampleStore(storePath);
        ::DeleteFileA(logPath.c_str());
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LOG", logPath.c_str());
    }
}

TEST_F(UserFaults, TheRunningWindowsIsFoundInGermanAndItsDeletionWarns)
{
    ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", "de-DE");
    Start(4);
    RemoteListView list(loaders);
    EXPECT_TRUE(WaitUntil([&] { return list.Text(0, 5) == "Default, running now"; })) << list.Text(0, 5);
    EXPECT_EQ(list.Text(1, 5), "");
    RightClickRow(0);
    ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr; }));
    PressKey('D');
    HWND box = nullptr;
    std::string question = BoxText(box);
    EXPECT_NE(question.find("This is the Windows that is running now."), std::string::npos) << question;
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);  // Cancel
    ASSERT_TRUE(Gone(box));
    EXPECT_EQ(Count("/DELETE"), 0);
}

TEST_F(UserFaults, AddThenDeleteOnTheRunningEntryKeepsItsGuidAndReportsNoMismatch)
{
    Start(4);
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    AddProperty(window, "loadoptions", "abc");
    ASSERT_TRUE(WaitUntil([&] { return GridRow(grid, "loadoptions") >= 0; }));
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "identifier"), 1), kWin11) << "the GUID, not {current}";
    DeleteProperty(window, "loadoptions");
    ASSERT_TRUE(WaitUntil([&] { return GridRow(grid, "loadoptions") < 0; }));
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Count("/DBGSETTINGS") == 2; })) << "read again";
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no mismatch reported";
    for (const std::string& command : Sent())
        EXPECT_EQ(command.find("{current}"), std::string::npos) << command;
    EXPECT_EQ(Count(std::string("/deletevalue ") + kWin11 + " loadoptions"), 1);
    EXPECT_TRUE(Stored(kWin11, "loadoptions").empty());
}

TEST_F(UserFaults, AFailedRowKeepsTheWindowOpenAndAddKeepsEditsNotYetSent)
{
    Start(4);
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    // Step 1: an edit not yet sent survives Add Property's re-read.
    ChooseInCell(grid, "nx", 1);
    std::string chosen = RemoteListView(grid).Text(GridRow(grid, "nx"), 1);
    ASSERT_EQ(chosen, "OPTOUT");
    AddProperty(window, "loadoptions", "abc");
    ASSERT_TRUE(WaitUntil([&] { return GridRow(grid, "loadoptions") >= 0; }));
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "nx"), 1), "OPTOUT") << "still shown";

    // Step 2: a row the tool refuses, before nx: one message, the window stays.
    TypeInCell(grid, "allowedinmemorysettings", "zz");
    Press(window, IDOK);
    HWND box = nullptr;
    std::string told = BoxText(box);
    EXPECT_NE(told.find("The change of allowedinmemorysettings was not made."), std::string::npos) << told;
    EXPECT_NE(told.find("2 changes were not made"), std::string::npos) << told;
    ASSERT_NE(box, nullptr);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Gone(box));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command Output"), nullptr) << "one message, not two";
    EXPECT_TRUE(::IsWindow(window)) << "the window stays open";
    EXPECT_EQ(Count(std::string("/set ") + kWin11 + " nx"), 0) << "nothing after the failed row";
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "nx"), 1), "OPTOUT");

    // Step 3: corrected, OK sends what is still marked and closes.
    TypeInCell(grid, "allowedinmemorysettings", "0x15000076");
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Stored(kWin11, "nx") == std::vector<std::string>{"OptOut"}; }));
    EXPECT_EQ(Stored(kWin11, "allowedinmemorysettings"), std::vector<std::string>{"0x15000076"});
    EXPECT_EQ(Count(std::string("/set ") + kWin11 + " nx \"OPTOUT\""), 1);
}

TEST_F(UserFaults, KeysThatOpenWindowsAndEscapeThatEndsNothing)
{
    Start(4);
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

TEST_F(UserFaults, LettersTheCodePageCannotHoldAreRefusedBeforeAnythingIsSent)
{
    ASSERT_EQ(::GetACP(), 1252u);
    Start(4);
    RightClickRow(1);
    ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr; }));
    PressKey('C');
    HWND clone = Window("Clone Configuration");
    ASSERT_NE(clone, nullptr);
    HWND description = ::GetDlgItem(clone, IDC_CLONE_DESCRIPTION);
    ClickAt(WindowCentre(description));
    PressKey(VK_END);
    TypeUnicode(L" \x0422\x0435\x0441\x0442");  // " Тест"
    HWND box = nullptr;
    std::string told = BoxText(box);
    EXPECT_NE(told.find("has no form for"), std::string::npos) << told;
    EXPECT_NE(told.find("1252"), std::string::npos) << told;
    ASSERT_NE(box, nullptr);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Gone(box));
    std::string typed = WindowText(description);
    EXPECT_EQ(typed.find('?'), std::string::npos) << typed;
    // Letters it can hold are taken as before (the positive control).
    TypeUnicode(L"\x00e9t\x00e9");  // "été"
    EXPECT_TRUE(WaitUntil([&] { return WindowText(description).find("\xe9t\xe9") != std::string::npos; }))
        << WindowText(description);
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr);
    Press(clone, IDOK);
    ASSERT_TRUE(Gone(clone));
    ASSERT_TRUE(WaitUntil([&] { return Count("/copy") + Count("/Copy") == 1; }));
    for (const std::string& command : Sent())
        EXPECT_EQ(command.find('?'), std::string::npos) << command;
}

TEST_F(UserFaults, DebuggerSettingsShowWhatIsStoredAndRefuseABadHostAddress)
{
    UseDebuggerSettings("debugtype = Serial\ndebugport = 12\nbaudrate = 115200\ndebugstart = Disable\n");
    Start(4);
    Press(main, IDC_MODIFY_DEBUG);
    HWND window = Window("Modify Debug Settings");
    ASSERT_NE(window, nullptr);
    // Ports 1 to 9, then the stored 12; policies ACTIVE, AUTOENABLE, DISABLE.
    EXPECT_EQ(::SendMessageA(::GetDlgItem(window, IDC_FIRST_LIST), CB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(Selected(window, IDC_FIRST_LIST), 9) << "the stored COM12 is shown";
    EXPECT_EQ(Selected(window, IDC_POLICY_LIST), 2) << "the stored start policy, DISABLE";
    // OK with nothing changed sends nothing, and says nothing.
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr);
    EXPECT_EQ(Count("/DBGSETTINGS "), 0);

    // Network debugging to a host that is no IPv4 address is refused.
    Press(main, IDC_MODIFY_DEBUG);
    window = Window("Modify Debug Settings");
    ASSERT_NE(window, nullptr);
    ChooseInCombo(window, IDC_CONNECT_TYPE, 3);  // Net
    ClickAt(WindowCentre(::GetDlgItem(window, IDC_HOST_IP)));
    Type("999.999.1.1");
    Press(window, IDOK);
    EXPECT_EQ(AnswerBox(), "The host IP address must be an IPv4 address: four numbers from 0 to 255, "
                           "separated by dots.");
    EXPECT_TRUE(::IsWindow(window));
    EXPECT_EQ(Count("/DBGSETTINGS "), 0) << "nothing was sent";
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}

TEST_F(UserFaults, PageNumbersShowInTheStoresNotationAndAPageListedInHexIsNotAddedAgain)
{
    Start(4);
    HWND window = OpenLoaderProperties(2);
    ASSERT_NE(window, nullptr);
    ChooseInCell(::GetDlgItem(window, IDC_LOADER_GRID), "badmemorylist", 0);
    HWND pages = Window("Modify Physical Pages");
    ASSERT_NE(pages, nullptr);
    HWND list = ::GetDlgItem(pages, IDC_PFN_LIST);
    EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"0x2b42", "0x2b43", "0x7f10"}));
    ClickAt(WindowCentre(::GetDlgItem(pages, IDC_PFN_EDIT)));
    Type("11074");  // 0x2b42
    Press(pages, IDC_ADD_PAGE);
    EXPECT_EQ(AnswerBox(), "Duplicate PFN specified.");
    EXPECT_EQ(ListEntries(list).size(), 3u);
    ClickAt(WindowCentre(::GetDlgItem(pages, IDC_PFN_EDIT)));
    PressKey(VK_END);
    for (int i = 0; i < 8; ++i)
        PressKey(VK_BACK);
    Type("11076");
    Press(pages, IDC_ADD_PAGE);
    EXPECT_TRUE(WaitUntil([&] { return ListEntries(list).size() == 4u; }));
    std::vector<std::string> listed = ListEntries(list);
    EXPECT_NE(std::find(listed.begin(), listed.end(), "0x2b44"), listed.end()) << "shown in hex, as the store does";
    Press(pages, IDCANCEL);
    ASSERT_TRUE(Gone(pages));
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}
