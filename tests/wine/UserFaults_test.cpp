#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

// Faults of the editing windows, found by driving them as a user would:
// what the user sees, what reached the tool, what the store holds.
namespace {

class UserFaults : public ProgramTest {
protected:
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
TEST_F(UserFaults, AddThenDeleteOnTheRunningEntryKeepsItsGuidAndReportsNoMismatch)
{
    Start(kSampleRows);
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
    Start(kSampleRows);
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
    std::string told = AnswerBox();
    EXPECT_NE(told.find("The change of allowedinmemorysettings was not made."), std::string::npos) << told;
    EXPECT_NE(told.find("2 changes were not made"), std::string::npos) << told;
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

TEST_F(UserFaults, LettersTheCodePageCannotHoldAreRefusedBeforeAnythingIsSent)
{
    ASSERT_EQ(::GetACP(), 1252u);
    Start(kSampleRows);
    HWND clone = FromLoaderMenu(1, 'C', "Clone Configuration");
    ASSERT_NE(clone, nullptr);
    HWND description = ::GetDlgItem(clone, IDC_CLONE_DESCRIPTION);
    ClickAt(WindowCentre(description));
    PressKey(VK_END);
    TypeUnicode(L" \x0422\x0435\x0441\x0442");  // " Тест"
    std::string told = AnswerBox();
    EXPECT_NE(told.find("has no form for"), std::string::npos) << told;
    EXPECT_NE(told.find("1252"), std::string::npos) << told;
    std::string typed = WindowText(description);
    EXPECT_EQ(typed.find('?'), std::string::npos) << typed;
    // Letters it can hold are taken as before (the positive control), once
    // the field has the focus back from the box.
    ASSERT_TRUE(WaitUntil([&] { return HasFocus(description); })) << "one box for one typing";
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
    Start(kSampleRows);
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
    Start(kSampleRows);
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
