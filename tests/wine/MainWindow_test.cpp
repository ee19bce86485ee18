#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "tests/wine/ProgramFixture.h"
#include "version.h"

namespace {

class MainWindow : public ProgramTest {};

}  // namespace

TEST_F(MainWindow, StartUpShowsEveryLoaderAndBothGrids)
{
    Start(kSampleRows);
    RemoteListView list(loaders);
    // The whole boot menu in its order, GRUB's boot sector too, then the tools menu.
    const char* identifiers[] = {kWin11, kWin10, kTest, kLegacy, kGrub, kMemdiag};
    const char* descriptions[] = {"Windows 11", "Windows 10 Pro", "Windows 11 (test signing)",
                                  "Earlier Version of Windows", "GRUB (Debian)", "Windows Memory Diagnostic"};
    const char* kinds[] = {"Windows", "Windows", "Windows", "Earlier Windows", "Boot sector", "Memory tester"};
    for (int row = 0; row < kSampleRows; ++row) {
        EXPECT_EQ(list.Text(row, 0), identifiers[row]);
        EXPECT_EQ(list.Text(row, 1), descriptions[row]);
        EXPECT_EQ(list.Text(row, 2), row == 0 ? "TRUE" : "FALSE");
        EXPECT_EQ(list.Text(row, 3), row < 5 ? std::to_string(row + 1) : "Tools 1") << "no gap in the places";
        EXPECT_EQ(list.Text(row, 4), row == 1 ? "TRUE" : row < 4 ? "FALSE" : "");
        EXPECT_EQ(list.Text(row, 6), kinds[row]);
    }
    RemoteListView boot(::GetDlgItem(main, IDC_BOOTMGR_GRID));
    ASSERT_EQ(boot.Count(), 11);
    EXPECT_EQ(boot.Text(0, 0), "identifier");
    EXPECT_EQ(boot.Text(0, 1), "{9dea862c-5cdd-4e70-acc1-f32b344d4795}");
    EXPECT_EQ(boot.Text(8, 0), "displayorder");
    EXPECT_EQ(boot.Text(8, 1), kWin11) << "a list shows its first value";
    EXPECT_EQ(boot.Text(10, 0), "timeout");
    EXPECT_EQ(boot.Text(10, 1), "30");
    RemoteListView debug(::GetDlgItem(main, IDC_DEBUGGER_GRID));
    ASSERT_EQ(debug.Count(), 1);
    EXPECT_EQ(debug.Text(0, 0), "debugtype");
    EXPECT_EQ(debug.Text(0, 1), "Local");
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no message";
}

TEST_F(MainWindow, DeletingALoaderAsksSendsTheCommandAndRemovesExactlyThatEntry)
{
    Start(kSampleRows);
    RightClickRow(1);
    ASSERT_NE(Menu(), nullptr) << "a selected row gets the context menu";
    PressKey('D');
    HWND ask = WaitForProcessWindow(program->Id(), "#32770", "Keystave", 5000);
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(ask, 0xFFFF)),
              std::string("Are you sure you want to delete this entry?\n\n\"Windows 10 Pro\"\n") + kWin10);
    PressKey(VK_RETURN);

    WaitForRows(kSampleRows - 1);
    RemoteListView list(loaders);
    ASSERT_EQ(list.Count(), kSampleRows - 1);
    EXPECT_EQ(list.Text(0, 0), kWin11);
    EXPECT_EQ(list.Text(1, 0), kTest);
    EXPECT_EQ(list.Text(2, 0), kLegacy);
    EXPECT_EQ(list.Text(1, 3), "2") << "display positions follow the new order";
    EXPECT_EQ(list.Text(3, 3), "4") << "the boot sector's too";

    std::string store = ReadFile(storePath);
    EXPECT_EQ(store.find(kWin10), std::string::npos) << "gone from the store and its display order";
    for (const char* kept : {kWin11, kTest, kLegacy})
        EXPECT_NE(store.find(std::string("[") + kept + "]"), std::string::npos) << kept;
}

TEST_F(MainWindow, WithOneLoaderLeftDeleteIsGreyed)
{
    std::string store = ReadFile(storePath);
    for (const char* guid : {kWin10, kTest, kLegacy, kGrub, kMemdiag})
        store = WithoutObject(store, guid);
    ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    Start(1);
    std::string before = ReadFile(storePath);
    RightClickRow(0);
    ASSERT_NE(Menu(), nullptr);
    // A greyed item cannot be chosen: its key runs nothing. Were it enabled,
    // the delete command would answer with its only-entry message.
    PressKey('D');
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr);
    if (Menu())
        PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return Menu() == nullptr; }));
    EXPECT_EQ(ListView_GetItemCount(loaders), 1);
    EXPECT_EQ(ReadFile(storePath), before);
}

TEST_F(MainWindow, ARightClickOnTheEmptyListAreaShowsNoMenu)
{
    Start(kSampleRows);
    RECT client;
    ::GetClientRect(loaders, &client);
    POINT below = {client.right / 2, client.bottom - 4};
    ::ClientToScreen(loaders, &below);
    ClickAt(below, true);  // a menu would be open by the time the click is read
    EXPECT_EQ(Menu(), nullptr);
}

TEST_F(MainWindow, ADeletionTheToolRefusesShowsItsWordsAndChangesNothing)
{
    Start(kSampleRows);
    // Another program removes the entry behind Keystave's back.
    ASSERT_TRUE(WriteStoreAtomically(storePath, WithoutObject(ReadFile(storePath), kWin10)));
    std::string before = ReadFile(storePath);
    RightClickRow(1);
    ASSERT_NE(Menu(), nullptr);
    PressKey('D');
    ASSERT_NE(WaitForProcessWindow(program->Id(), "#32770", "Keystave", 5000), nullptr);
    PressKey(VK_RETURN);

    HWND log = WaitForProcessWindow(program->Id(), "#32770", "Command Output", 10000);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(log, 1020)), std::string("/DELETE ") + kWin10 + " /cleanup");
    // Owned by the main window, which it disables, and centred over it.
    EXPECT_EQ(::GetWindow(log, GW_OWNER), main);
    EXPECT_FALSE(::IsWindowEnabled(main)) << "no second deletion, no closing underneath";
    POINT logCentre = WindowCentre(log), mainCentre = WindowCentre(main);
    EXPECT_LE(std::abs(logCentre.x - mainCentre.x), 2);
    EXPECT_LE(std::abs(logCentre.y - mainCentre.y), 2);
    HWND lines = ::GetDlgItem(log, 1019);
    ASSERT_EQ(::SendMessageA(lines, LB_GETCOUNT, 0, 0), 2);
    // Across processes the list box's text comes through its wide form.
    wchar_t line[256] = {};
    ::SendMessageW(lines, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"An error occurred while attempting to reference the specified entry.");
    ::SendMessageW(lines, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"The system cannot find the file specified.");
    ::PostMessageA(log, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(ListView_GetItemCount(loaders), kSampleRows) << "nothing refreshed";
    EXPECT_EQ(ReadFile(storePath), before);
    std::vector<std::string> sent = ReadCommandLog(logPath);
    std::string all;
    for (const std::string& command : sent)
        all += command + "\n";
    ASSERT_EQ(sent.size(), 6u) << "enumerate, the tools menu's entry, debugger settings, the running entry, "
                                  "the backup, the deletion; no re-read:\n"
                               << all;
    // The reads of start-up begin together, in any order; the tools menu's
    // entry is read once the listing named it.
    std::vector<std::string> reads(sent.begin(), sent.begin() + 4);
    std::sort(reads.begin(), reads.end());
    EXPECT_EQ(reads, (std::vector<std::string>{"/DBGSETTINGS", "/ENUM /V", std::string("/enum ") + kMemdiag + " /v",
                                               "/enum {current} /v"}));
    EXPECT_EQ(sent[4].rfind("/export \"", 0), 0u) << sent[4];
    EXPECT_EQ(sent[5], std::string("/DELETE ") + kWin10 + " /cleanup");
}

TEST_F(MainWindow, AChoiceInAReadOnlyGridDoesNotStayOnScreen)
{
    UseDebuggerSettings("debugtype = Serial\ndebugport = 1\nbaudrate = 115200\ndebugstart = Active\n");
    Start(kSampleRows);
    HWND debugGrid = ::GetDlgItem(main, 1005);
    RemoteListView debug(debugGrid);
    ASSERT_EQ(debug.Text(3, 0), "debugstart");
    ASSERT_EQ(debug.Text(3, 1), "ACTIVE");
    RECT row = debug.ItemRect(3), client;
    ::GetClientRect(debugGrid, &client);
    POINT value = {client.right * 3 / 4, (row.top + row.bottom) / 2};
    ::ClientToScreen(debugGrid, &value);
    ClickAt(value);
    ASSERT_TRUE(WaitUntil([&] { return FindProcessWindow(program->Id(), "SuperComboBox", nullptr) != nullptr; }))
        << "the list cell opens to show its words";
    PressKey(VK_DOWN);  // AUTOENABLE
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return FindProcessWindow(program->Id(), "SuperComboBox", nullptr) == nullptr; }));
    EXPECT_EQ(debug.Text(3, 1), "ACTIVE") << "the store still says Active";
    for (const std::string& command : ReadCommandLog(logPath))
        EXPECT_EQ(command.find("/set"), std::string::npos) << command;
}

TEST_F(MainWindow, WithoutAdministratorRightsTheListsStayEmptyAndTheToolsWordsAreShown)
{
    ::SetEnvironmentVariableA("KEYSTAVE_SIM_ACCESS_DENIED", "1");
    Start(0);
    HWND box = WaitForProcessWindow(program->Id(), "#32770", "Keystave", 10000);
    ASSERT_NE(box, nullptr) << "an empty store is no silent success";
    std::string text = WindowText(::GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find("The boot configuration data store could not be opened."), std::string::npos) << text;
    EXPECT_NE(text.find("Access is denied."), std::string::npos) << text;
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(main, IDC_BOOTMGR_GRID)), 0);
    EXPECT_EQ(ListView_GetItemCount(::GetDlgItem(main, IDC_DEBUGGER_GRID)), 0);
    EXPECT_EQ(WindowsWithCaption(kCaption).size(), 1u);

    // Without a boot manager there is nothing for its window to show.
    ClickAt(WindowCentre(::GetDlgItem(main, IDC_MODIFY_BOOT)));
    box = WaitForProcessWindow(program->Id(), "#32770", "Keystave", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(WindowText(::GetDlgItem(box, 0xFFFF)).find("no boot manager"), std::string::npos);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Boot Manager Properties"), nullptr);
}

TEST_F(MainWindow, WithoutTheToolTheWindowSaysItCouldNotBeStarted)
{
    // The program and its definitions, but no BCDEDIT.EXE beside it or on the path.
    std::string bare = MakeTempFolder("ks-notool");
    for (const char* file : {"keystave.exe", "keystavedata.xml"})
        ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "\\" + file).c_str(),
                                (bare + "\\" + file).c_str(), FALSE));
    program = std::make_unique<ChildProcess>("\"" + bare + "\\keystave.exe\"", bare);
    ASSERT_TRUE(program->Started());
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    HWND box = WaitForProcessWindow(program->Id(), "#32770", "Keystave", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)), "BCDEDIT.EXE could not be started.");
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindow, StartedByFullPathFromAnotherFolderItFindsItsDefinitions)
{
    // An elevated prompt starts in System32: no definitions file there.
    std::string elsewhere = MakeTempFolder("ks-cwd");
    program = std::make_unique<ChildProcess>("\"" + TestProgramFolder() + "\\keystave.exe\"", elsewhere);
    ASSERT_TRUE(program->Started());
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    EXPECT_TRUE(WaitForRows(kSampleRows));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no message";
}

TEST_F(MainWindow, AMissingOrCorruptDefinitionsFileEndsTheProgramWithItsMessage)
{
    // A program folder without the file, started there: it is missing.
    std::string bare = MakeTempFolder("ks-bare");
    ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "\\keystave.exe").c_str(),
                            (bare + "\\keystave.exe").c_str(), FALSE));
    // A corrupt file in the current folder is read before the program's own.
    std::string corrupt = MakeTempFolder("ks-defs");
    ASSERT_TRUE(WriteStoreAtomically(corrupt + "\\keystavedata.xml", "<?xml version=\"1.0\"?><a><b></a>"));
    struct Case {
        std::string program, folder;
        const char* message;
    } cases[] = {
        {bare + "\\keystave.exe", bare, "Error: keystavedata.xml file could not be opened."},
        {TestProgramFolder() + "\\keystave.exe", corrupt,
         "Error: keystavedata.xml file is corrupt (or not an xml file)."},
    };
    for (const Case& test : cases) {
        ChildProcess run("\"" + test.program + "\"", test.folder);
        ASSERT_TRUE(run.Started());
        HWND box = WaitForProcessWindow(run.Id(), "#32770", "Keystave", 20000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)), test.message);
        ::SetForegroundWindow(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(run.WaitForExit(10000)) << "the program ends";
        EXPECT_EQ(FindProcessWindow(run.Id(), nullptr, kCaption), nullptr);
    }
}

TEST_F(MainWindow, TheAboutBoxOpensFromTheSystemMenu)
{
    Start(kSampleRows);
    ::PostMessageA(main, WM_SYSCOMMAND, 16, 0);
    HWND about = WaitForProcessWindow(program->Id(), "#32770", "About Keystave", 5000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)), KEYSTAVE_ABOUT_TEXT);
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !FindProcessWindow(program->Id(), "#32770", "About Keystave"); }));
}

TEST_F(MainWindow, TheHelpButtonOpensTheHelpFile)
{
    Start(kSampleRows);
    ::PostMessageA(main, WM_COMMAND, 57670, 0);
    HWND viewer = WaitForProcessWindow(program->Id(), "HH Parent", nullptr, 10000);
    ASSERT_NE(viewer, nullptr) << "the help viewer's window appears";
    EXPECT_EQ(WindowText(viewer), "Keystave Help");
    ::PostMessageA(viewer, WM_CLOSE, 0, 0);
}

TEST_F(MainWindow, TheLoaderListAnswersTheKeysOfAnyWindowsList)
{
    Start(kSampleRows);
    RemoteListView list(loaders);
    ClickAt(list.ItemCentre(1));
    // Enter opens the entry; the program stays.
    PressKey(VK_RETURN);
    HWND properties = WaitForProcessWindow(program->Id(), "#32770", "Boot Loader Properties", 10000);
    ASSERT_NE(properties, nullptr) << "Enter opened the selected entry";
    EXPECT_TRUE(::IsWindow(main));
    ::PostMessageA(properties, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    // Shift+F10 opens the context menu of the selected row.
    ClickAt(list.ItemCentre(1));
    PressKeyWith(VK_SHIFT, VK_F10);
    EXPECT_TRUE(WaitUntil([&] { return Menu() != nullptr; })) << "the context menu";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return Menu() == nullptr; }));

    // Delete asks, and No keeps the entry.
    PressKey(VK_DELETE);
    HWND ask = WaitForProcessWindow(program->Id(), "#32770", "Keystave", 5000);
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(ask, 0xFFFF)),
              std::string("Are you sure you want to delete this entry?\n\n\"Windows 10 Pro\"\n") + kWin10);
    ::PostMessageA(ask, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(ListView_GetItemCount(loaders), kSampleRows);
}

TEST_F(MainWindow, TheWindowGrowsAndItsListsWithIt)
{
    Start(kSampleRows);
    auto rectOf = [&](int id) {
        RECT rect;
        ::GetWindowRect(::GetDlgItem(main, id), &rect);
        return rect;
    };
    auto width = [](const RECT& r) { return r.right - r.left; };
    auto height = [](const RECT& r) { return r.bottom - r.top; };
    RECT window;
    ::GetWindowRect(main, &window);
    RECT list = rectOf(IDC_LOADER_LIST), boot = rectOf(IDC_BOOTMGR_GRID), debug = rectOf(IDC_DEBUGGER_GRID);
    // Smaller than the template it cannot be.
    ::SetWindowPos(main, nullptr, 0, 0, width(window) / 2, height(window) / 2, SWP_NOMOVE | SWP_NOZORDER);
    RECT shrunk;
    ASSERT_TRUE(WaitUntil([&] { ::GetWindowRect(main, &shrunk); return width(shrunk) == width(window); }))
        << "the template's size is the least";

    ::SetWindowPos(main, nullptr, 0, 0, width(window) * 3 / 2, height(window) * 3 / 2,
                   SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(WaitUntil([&] { return width(rectOf(IDC_LOADER_LIST)) > width(list); }));
    EXPECT_GT(height(rectOf(IDC_LOADER_LIST)), height(list));
    EXPECT_GT(width(rectOf(IDC_BOOTMGR_GRID)), width(boot));
    EXPECT_GT(height(rectOf(IDC_BOOTMGR_GRID)), height(boot));
    EXPECT_GT(width(rectOf(IDC_DEBUGGER_GRID)), width(debug));

    // Every button inside the window, none over another or over a list.
    RECT client;
    ::GetClientRect(main, &client);
    ::MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<int> ids = {IDOK, ID_HELP_BUTTON, IDC_MODIFY_BOOT, IDC_MODIFY_DEBUG,
                            IDC_LOADER_LIST, IDC_BOOTMGR_GRID, IDC_DEBUGGER_GRID};
    for (size_t i = 0; i < ids.size(); ++i) {
        RECT a = rectOf(ids[i]), inside;
        EXPECT_TRUE(::IntersectRect(&inside, &a, &client) && ::EqualRect(&inside, &a)) << ids[i];
        for (size_t j = i + 1; j < ids.size(); ++j) {
            RECT b = rectOf(ids[j]), overlap;
            EXPECT_FALSE(::IntersectRect(&overlap, &a, &b)) << ids[i] << " over " << ids[j];
        }
    }
    // The last column takes the extra width.
    int columns = 0, total = 0;
    HWND header = reinterpret_cast<HWND>(::SendMessageA(loaders, LVM_GETHEADER, 0, 0));
    columns = static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c)
        total += static_cast<int>(::SendMessageA(loaders, LVM_GETCOLUMNWIDTH, c, 0));
    RECT listClient;
    ::GetClientRect(loaders, &listClient);
    EXPECT_GE(total, listClient.right - 4);
}
