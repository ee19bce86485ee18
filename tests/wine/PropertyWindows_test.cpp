#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

namespace {

class PropertyWindows : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Start(kSampleRows);
    }

};

}  // namespace

TEST_F(PropertyWindows, AChangedDropDownSendsOneSetAndNothingElseChanges)
{
    std::string before = StoreContent();
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "nx"), 1), "OPTIN");
    ChooseInCell(grid, "nx", 1);
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "nx"), 1), "OPTOUT");
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= 4; }));
    ASSERT_TRUE(WaitIdle());
    // The change, then the two reads, started together (so in either order),
    // and the tools menu's entry, read once the listing named it.
    std::vector<std::string> sent = Sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], std::string("/set ") + kWin11 + " nx \"OPTOUT\"");
    std::sort(sent.begin() + 1, sent.end());
    EXPECT_EQ(sent[1], "/DBGSETTINGS");
    EXPECT_EQ(sent[2], "/ENUM /V");
    EXPECT_EQ(sent[3], std::string("/enum ") + kMemdiag + " /v");
    std::string expected = before;
    expected.replace(expected.find("nx = OptIn"), 10, "nx = OptOut");
    EXPECT_TRUE(StoreContent() == expected) << "exactly that element changed";

    // OK with nothing changed, and Cancel after edits, send nothing.
    size_t sentBefore = Sent().size();
    window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= sentBefore + 3; })) << "the main window reads again";
    ASSERT_TRUE(WaitIdle());
    sent = Sent();
    ASSERT_EQ(sent.size(), sentBefore + 3);
    std::sort(sent.begin() + static_cast<long>(sentBefore), sent.end());
    EXPECT_EQ(sent[sentBefore], "/DBGSETTINGS");
    EXPECT_EQ(sent[sentBefore + 1], "/ENUM /V") << "reads only";
    EXPECT_EQ(sent[sentBefore + 2], std::string("/enum ") + kMemdiag + " /v");
    window = OpenLoaderProperties(1);
    ASSERT_NE(window, nullptr);
    grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    ChooseInCell(grid, "nx", 2);
    TypeInCell(grid, "description", "changed");
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
    WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; });
    EXPECT_EQ(Sent().size(), sentBefore + 3) << "Cancel sends nothing";
    EXPECT_TRUE(StoreContent() == expected) << "Cancel changed nothing";
}

TEST_F(PropertyWindows, AddPropertySendsWhatWasTypedWholeAndRefusesAPathBeforeSending)
{
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    auto add = [&](const std::string& name, const std::string& typed) {
        Press(window, IDC_ADD_PROPERTY);
        HWND dialog = Window("Add a Property");
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return dialog;
        ClickListEntry(::GetDlgItem(dialog, IDC_PROPERTY_LIST), name);
        PressKey(VK_TAB);  // to the one input shown
        Type(typed);
        Press(dialog, IDOK);
        return dialog;
    };

    HWND dialog = add("loadoptions", "my options here");
    ASSERT_TRUE(Gone(dialog));
    EXPECT_EQ(Stored(kWin11, "loadoptions"), std::vector<std::string>{"my options here"});
    ASSERT_TRUE(WaitUntil([&] { return GridRow(grid, "loadoptions") >= 0; })) << "read again";
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "loadoptions"), 1), "my options here");
    EXPECT_LT(GridRow(grid, "loadoptions"), GridRow(grid, "osdevice")) << "where the tool prints it";

    dialog = add("truncatememory", "4294967295");
    ASSERT_TRUE(Gone(dialog));
    EXPECT_EQ(Stored(kWin11, "truncatememory"), std::vector<std::string>{"4294967295"});
    ASSERT_TRUE(WaitUntil([&] { return GridRow(grid, "truncatememory") >= 0; }));

    size_t sentBefore = Sent().size();
    dialog = add("kernel", "sub\\kernel.exe");
    EXPECT_EQ(AnswerBox(), "Invalid File Name. No Path can be present.");
    EXPECT_TRUE(::IsWindow(dialog)) << "the window stays for a correction";
    EXPECT_EQ(Sent().size(), sentBefore) << "nothing was sent";
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(Gone(dialog));
    EXPECT_TRUE(Stored(kWin11, "kernel").empty());
    // Read again with "/v": the entry keeps the GUID its listing gave it.
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          std::string("/set ") + kWin11 + " loadoptions \"my options here\"",
                          std::string("/enum ") + kWin11 + " /v",
                          std::string("/set ") + kWin11 + " truncatememory \"4294967295\"",
                          std::string("/enum ") + kWin11 + " /v"}));
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}

TEST_F(PropertyWindows, AnObjectWithEveryOfferedElementHasNoMoreToAdd)
{
    // A boot manager that already holds every element offered for it.
    ::PostMessageA(main, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program->WaitForExit(10000));
    std::string store = ReadFile(storePath);
    std::string lines = "bootsequence = {5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963}\n"
                        "displaybootmenu = Yes\nnoerrordisplay = No\nresume = No\nbootems = No\n"
                        "bootdebug = No\n";
    store.insert(store.find("timeout = 30\n"), lines);
    ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    Start(kSampleRows);
    HWND window = OpenBootManager();
    ASSERT_NE(window, nullptr);
    Press(window, IDC_ADD_PROPERTY);
    EXPECT_EQ(AnswerBox(), "There are no more properties for this object.");
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Add a Property"), nullptr);
    EXPECT_TRUE(::IsWindow(window));
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}

TEST_F(PropertyWindows, DeletePropertyRemovesTheElementFromTheStoreAndTheGrid)
{
    struct Case {
        bool manager;
        int row;
        const char* guid;
        const char* element;
    } cases[] = {{false, 1, kWin10, "quietboot"},
                 {false, 3, kLegacy, "path"},  // a legacy loader is read again whole
                 {true, -1, "{9dea862c-5cdd-4e70-acc1-f32b344d4795}", "timeout"}};
    for (const Case& test : cases) {
        HWND window = test.manager ? OpenBootManager() : OpenLoaderProperties(test.row);
        ASSERT_NE(window, nullptr);
        HWND grid = ::GetDlgItem(window, test.manager ? IDC_BOOTMGR_PROPERTY_GRID : IDC_LOADER_GRID);
        ASSERT_GE(GridRow(grid, test.element), 0);
        ASSERT_FALSE(Stored(test.guid, test.element).empty());
        Press(window, IDC_DELETE_PROPERTY);
        HWND dialog = Window("Delete a Property");
        ASSERT_NE(dialog, nullptr);
        ClickListEntry(::GetDlgItem(dialog, IDC_PROPERTY_LIST), test.element);
        Press(dialog, IDOK);
        ASSERT_TRUE(Gone(dialog));
        EXPECT_TRUE(Stored(test.guid, test.element).empty()) << test.element;
        EXPECT_TRUE(WaitUntil([&] { return GridRow(grid, test.element) < 0; }))
            << "gone from the grid of the " << (test.manager ? "boot manager" : "loader") << " window";
        EXPECT_GE(GridRow(grid, "description"), 0) << "the other elements are still shown";
        Press(window, IDCANCEL);
        ASSERT_TRUE(Gone(window));
    }
}

TEST_F(PropertyWindows, TheBadMemoryListIsEditedInItsWindowAndWrittenByOk)
{
    HWND window = OpenLoaderProperties(2);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    ChooseInCell(grid, "badmemorylist", 0);
    HWND pages = Window("Modify Physical Pages");
    ASSERT_NE(pages, nullptr) << "a choice in the list opens the page window";
    HWND list = ::GetDlgItem(pages, IDC_PFN_LIST);
    EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"0x2b42", "0x2b43", "0x7f10"}));
    auto addPage = [&](const std::string& typed) {
        ClickAt(WindowCentre(::GetDlgItem(pages, IDC_PFN_EDIT)));
        PressKey(VK_END);
        for (int i = 0; i < 8; ++i)
            PressKey(VK_BACK);
        Type(typed);
        Press(pages, IDC_ADD_PAGE);
    };
    addPage("9");
    addPage("10");
    EXPECT_EQ(ListEntries(list), (std::vector<std::string>{"0x2b42", "0x2b43", "0x7f10", "0x9", "0xa"}))
        << "listed in the store's notation";
    addPage("");
    EXPECT_EQ(AnswerBox(), "No PFN specified");
    addPage("0");
    EXPECT_EQ(AnswerBox(), "Invalid PFN specified");
    addPage("000");
    EXPECT_EQ(AnswerBox(), "Invalid PFN specified");
    addPage("9");
    EXPECT_EQ(AnswerBox(), "Duplicate PFN specified.");
    EXPECT_EQ(ListEntries(list).size(), 5u) << "nothing refused was added";
    Press(pages, IDOK);
    ASSERT_TRUE(Gone(pages));
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Stored(kTest, "badmemorylist").size() == 5; }));
    EXPECT_EQ(Stored(kTest, "badmemorylist"),
              (std::vector<std::string>{"0x2b42", "0x2b43", "0x7f10", "0x9", "0xa"}));
    EXPECT_EQ(Sent()[0], std::string("/set ") + kTest + " badmemorylist 0x2b42 0x2b43 0x7f10 0x9 0xa ");
}

TEST_F(PropertyWindows, TheDefaultIsChosenAmongTheLoadersAndTheMainListFollows)
{
    RemoteListView list(loaders);
    ASSERT_EQ(list.Text(0, 2), "TRUE");
    HWND window = OpenBootManager();
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_BOOTMGR_PROPERTY_GRID);
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "default"), 1), kWin11);
    ChooseInCell(grid, "default", 1);  // the first other loader
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "default"), 1), kWin10);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Stored("{9dea862c-5cdd-4e70-acc1-f32b344d4795}", "default"), std::vector<std::string>{kWin10});
    EXPECT_TRUE(WaitUntil([&] { return list.Text(1, 2) == "TRUE"; }));
    EXPECT_EQ(list.Text(0, 2), "FALSE");
}

TEST_F(PropertyWindows, TheDisplayOrderIsChangedByDraggingRows)
{
    const char* const kManager = "{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
    const char* const kGrub = "{5d8a3f33-1c4b-11ef-9a7d-806e6f6e6963}";
    HWND window = OpenBootManager();
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_BOOTMGR_PROPERTY_GRID);
    ChooseInCell(grid, "displayorder", 0);
    HWND order = Window("Modify List Order");
    ASSERT_NE(order, nullptr) << "a choice in the display order opens its window";
    HWND list = ::GetDlgItem(order, IDC_ORDER_LIST);
    RemoteListView rows(list);
    auto identifiers = [&] {
        std::vector<std::string> ids;
        for (int row = 0; row < rows.Count(); ++row)
            ids.push_back(rows.Text(row, 0));
        return ids;
    };
    ASSERT_EQ(identifiers(), (std::vector<std::string>{kWin11, kWin10, kTest, kLegacy, kGrub}));
    EXPECT_EQ(rows.Text(1, 1), "Windows 10 Pro");
    EXPECT_EQ(rows.Text(4, 1), "GRUB (Debian)") << "every listed entry names its row, a boot sector too";

    // Row 0 dropped on row 2 goes in front of it.
    DragMouse(rows.ItemCentre(0), rows.ItemCentre(2));
    ASSERT_TRUE(WaitUntil([&] { return rows.Text(1, 0) == kWin11; })) << "the drag moved the row";
    EXPECT_EQ(identifiers(), (std::vector<std::string>{kWin10, kWin11, kTest, kLegacy, kGrub}));

    // Two rows dropped below the last row go to the end, in their order.
    ClickAt(rows.ItemCentre(0));
    PressKeyWith(VK_SHIFT, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 2; }))
        << "two rows selected";
    RECT client;
    ::GetClientRect(list, &client);
    POINT below = {client.right / 3, client.bottom - 6};
    ::ClientToScreen(list, &below);
    DragMouse(rows.ItemCentre(1), below);
    ASSERT_TRUE(WaitUntil([&] { return rows.Text(4, 0) == kWin11; }));
    EXPECT_EQ(identifiers(), (std::vector<std::string>{kTest, kLegacy, kGrub, kWin10, kWin11}));

    Press(order, IDOK);
    ASSERT_TRUE(Gone(order));
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Stored(kManager, "displayorder").front() == kTest; }));
    EXPECT_EQ(Stored(kManager, "displayorder"),
              (std::vector<std::string>{kTest, kLegacy, kGrub, kWin10, kWin11}));
    EXPECT_EQ(Sent()[0], std::string("/set ") + kManager + " displayorder " + kTest + " " + kLegacy +
                             " " + kGrub + " " + kWin10 + " " + kWin11 + " ");
    auto positionOf = [&](const char* guid) {
        RemoteListView main(loaders);
        for (int row = 0; row < main.Count(); ++row)
            if (main.Text(row, 0) == guid)
                return main.Text(row, 3);
        return std::string("<none>");
    };
    EXPECT_TRUE(WaitUntil([&] { return positionOf(kWin11) == "5"; }))
        << "the main list shows the new positions";
    EXPECT_EQ(positionOf(kTest), "1");
}
