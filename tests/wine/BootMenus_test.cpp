#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

// The boot menus as the PC shows them: every entry of the boot manager's
// menus in the main list, the firmware's own menu in a window of its own,
// and restarting into an entry once.
namespace {

const char* const kBootManagerGuid = "{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
const char* const kFirmwareGuid = "{a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}";
const char* const kShim = "{5d8a3f40-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kUsb = "{5d8a3f41-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kNic = "{5d8a3f42-1c4b-11ef-9a7d-806e6f6e6963}";
const char* const kCopy = "{5d8a3f43-1c4b-11ef-9a7d-806e6f6e6963}";

class BootMenus : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        restartLog = folder + "\\restart.txt";
        ::SetEnvironmentVariableA("KEYSTAVE_RESTART_LOG", restartLog.c_str());
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_RESTART_LOG", nullptr);
    }
    // Opens the firmware's menu and waits for its rows.
    HWND OpenFirmwareMenu(int rows)
    {
        Press(main, IDC_FIRMWARE_MENU);
        HWND window = Window("Firmware Boot Menu");
        EXPECT_NE(window, nullptr);
        if (window) {
            firmwareList = ::GetDlgItem(window, IDC_FW_LIST);
            EXPECT_TRUE(WaitUntil([&] { return ListView_GetItemCount(firmwareList) == rows; }))
                << ListView_GetItemCount(firmwareList);
            EXPECT_TRUE(WaitIdle());
        }
        return window;
    }
    void ClickFirmwareRow(int row)
    {
        ClickAt(RemoteListView(firmwareList).ItemCentre(row));
        EXPECT_TRUE(WaitUntil([&] { return ListView_GetNextItem(firmwareList, -1, LVNI_SELECTED) == row; }));
    }
    std::string FirmwareText(int row, int column) { return RemoteListView(firmwareList).Text(row, column); }
    std::string RowText(int row, int column) { return RemoteListView(loaders).Text(row, column); }
    // The restart question, answered with `button`; its text.
    std::string AnswerRestart(int button)
    {
        HWND box = Window("Keystave");
        if (!box)
            return "<no question>";
        std::string text = WindowText(::GetDlgItem(box, 0xFFFF));
        if (button == IDNO)
            PressKey(VK_RETURN);  // the default answer
        else
            Press(box, button);
        EXPECT_TRUE(Gone(box));
        return text;
    }
    bool Restarted() const { return ::GetFileAttributesA(restartLog.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::string restartLog;
    HWND firmwareList = nullptr;
};

}  // namespace

TEST_F(BootMenus, TheFirmwaresMenuIsReorderedByADragAndADuplicateLeavesItButStaysInTheStore)
{
    Start(kSampleRows);
    // Every entry on demand: resume and settings objects too, in no menu.
    Press(main, IDC_SHOW_ALL);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetItemCount(loaders) > kSampleRows; }));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Count("/enum all /v"), 1);
    bool resume = false;
    for (int row = kSampleRows; row < ListView_GetItemCount(loaders); ++row)
        resume = resume || (RowText(row, 6) == "Resume" && RowText(row, 5) == "Not in a menu");
    EXPECT_TRUE(resume);
    EXPECT_EQ(RowText(4, 1), "GRUB (Debian)") << "the menus first";
    // A settings object opens in its properties, but is neither cloned nor deleted from here.
    int settings = -1;
    for (int row = kSampleRows; row < ListView_GetItemCount(loaders) && settings < 0; ++row)
        if (RowText(row, 6) == "Settings")
            settings = row;
    ASSERT_GE(settings, 0);
    ::SendMessageA(loaders, LVM_ENSUREVISIBLE, static_cast<WPARAM>(settings), FALSE);
    ClickAt(RemoteListView(loaders).ItemCentre(settings));
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetNextItem(loaders, -1, LVNI_SELECTED) == settings; }));
    // Clone and Delete do nothing for it, whatever sends them (the menu greys
    // them); Properties, sent after them, opens: by then the others were handled.
    ::PostMessageA(main, WM_COMMAND, ID_LOADER_CLONE, 0);
    ::PostMessageA(main, WM_COMMAND, ID_LOADER_DELETE, 0);
    ::PostMessageA(main, WM_COMMAND, ID_LOADER_RESTART_ONCE, 0);
    ::PostMessageA(main, WM_COMMAND, ID_LOADER_PROPERTIES, 0);
    HWND properties = Window("Boot Loader Properties");
    ASSERT_NE(properties, nullptr) << "any kind opens in its properties";
    EXPECT_EQ(Window("Clone Configuration", 0), nullptr) << "a settings object is not copied";
    EXPECT_EQ(Window("Keystave", 0), nullptr) << "nor deleted, nor started once";
    EXPECT_GT(ListView_GetItemCount(::GetDlgItem(properties, IDC_LOADER_GRID)), 0);
    Press(properties, IDCANCEL);
    ASSERT_TRUE(Gone(properties));
    Press(main, IDC_SHOW_ALL);
    ASSERT_TRUE(WaitForRows(kSampleRows)) << "the menus alone again";

    HWND window = OpenFirmwareMenu(5);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FirmwareText(0, 1), "Windows Boot Manager");
    EXPECT_EQ(FirmwareText(0, 5), "Starts Windows");
    EXPECT_EQ(FirmwareText(1, 1), "debian");
    EXPECT_EQ(FirmwareText(1, 4), "\\EFI\\debian\\shimx64.efi");
    EXPECT_EQ(FirmwareText(4, 2), kCopy);
    EXPECT_EQ(FirmwareText(4, 5), "Duplicate of #1");
    ClickFirmwareRow(0);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_FW_DELETE))) << "{bootmgr} is never deleted";
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_FW_REMOVE)));

    // A real drag: debian in front of the network card; one command.
    RemoteListView rows(firmwareList);
    DragMouse(rows.ItemCentre(1), rows.ItemCentre(3));
    ASSERT_TRUE(WaitUntil([&] { return Count("/set {fwbootmgr} displayorder") == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return FirmwareText(2, 1) == "debian"; })) << "read again";
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Stored(kFirmwareGuid, "displayorder"),
              (std::vector<std::string>{kBootManagerGuid, kUsb, kShim, kNic, kCopy}));
    EXPECT_EQ(Count("/set {fwbootmgr} displayorder"), 1) << "exactly one command for one drag";

    // The duplicate out of the menu: the entry stays in the store.
    ClickFirmwareRow(4);
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDC_FW_REMOVE)));
    Press(window, IDC_FW_REMOVE);
    ASSERT_TRUE(WaitUntil([&] {
        return Count(std::string("/set {fwbootmgr} displayorder ") + kCopy + " /remove") == 1;
    }));
    ASSERT_TRUE(WaitUntil([&] { return FirmwareText(4, 5) == "Duplicate of #1, not in the menu"; }))
        << FirmwareText(4, 5);
    EXPECT_EQ(Stored(kFirmwareGuid, "displayorder").size(), 4u);
    EXPECT_NE(ReadFile(storePath).find(std::string("[") + kCopy + "]"), std::string::npos) << "still in the store";

    // Deleting it asks, names it and warns that the firmware may bring entries back; Cancel sends nothing.
    ClickFirmwareRow(4);
    Press(window, IDC_FW_DELETE);
    HWND ask = Window("Keystave");
    ASSERT_NE(ask, nullptr);
    std::string question = WindowText(::GetDlgItem(ask, 0xFFFF));
    EXPECT_NE(question.find(kCopy), std::string::npos) << question;
    EXPECT_NE(question.find("may add entries"), std::string::npos) << question;
    PressKey(VK_RETURN);  // the default answer: Cancel
    ASSERT_TRUE(Gone(ask));
    EXPECT_EQ(Count("/DELETE"), 0);
    Press(window, IDC_FW_DELETE);
    ask = Window("Keystave");
    ASSERT_NE(ask, nullptr);
    Press(ask, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetItemCount(firmwareList) == 4; }));
    EXPECT_EQ(Count(std::string("/DELETE ") + kCopy), 1);
    EXPECT_EQ(ReadFile(storePath).find(std::string("[") + kCopy + "]"), std::string::npos);
    Press(window, IDOK);
    EXPECT_TRUE(Gone(window));
}

TEST_F(BootMenus, RestartingIntoAnEntryOnceFromEitherMenuAsksFirstAndCanBeCancelled)
{
    Start(kSampleRows);
    HWND window = OpenFirmwareMenu(5);
    ASSERT_NE(window, nullptr);

    // The firmware's menu: the USB stick at the next start only; No is the default answer.
    ClickFirmwareRow(2);
    Press(window, IDC_FW_ONCE);
    std::string question = AnswerRestart(IDNO);
    EXPECT_NE(question.find("UEFI: SanDisk Ultra 3.2"), std::string::npos) << question;
    EXPECT_NE(question.find("Restart now?"), std::string::npos) << question;
    EXPECT_EQ(Count(std::string("/set {fwbootmgr} bootsequence ") + kUsb), 1);
    EXPECT_EQ(Stored(kFirmwareGuid, "bootsequence"), std::vector<std::string>{kUsb});
    EXPECT_FALSE(Restarted()) << "No restarts nothing";
    ASSERT_TRUE(WaitUntil([&] { return FirmwareText(2, 5) == "Next start only"; })) << FirmwareText(2, 5);
    EXPECT_NE(WindowText(::GetDlgItem(window, IDC_FW_STATE)).find("Next start only: \"UEFI: SanDisk"),
              std::string::npos);
    Press(window, IDC_FW_CANCEL_ONCE);
    ASSERT_TRUE(WaitUntil([&] { return Count("/deletevalue {fwbootmgr} bootsequence") == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return FirmwareText(2, 5).empty(); }));
    EXPECT_TRUE(Stored(kFirmwareGuid, "bootsequence").empty());
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(::GetDlgItem(window, IDC_FW_CANCEL_ONCE)); }))
        << "nothing left to cancel";
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));

    // The boot manager's menu: GRUB once, and Yes asks Windows to restart.
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(main, IDC_CANCEL_ONE_TIME)), FALSE);
    ASSERT_EQ(RowText(4, 0), kGrub);
    HWND box = FromLoaderMenu(4, 'R', "Keystave");
    ASSERT_NE(box, nullptr);
    question = AnswerRestart(IDYES);
    EXPECT_NE(question.find("GRUB (Debian)"), std::string::npos) << question;
    EXPECT_EQ(Count(std::string("/bootsequence ") + kGrub), 1);
    EXPECT_EQ(Stored(kBootManagerGuid, "bootsequence"), std::vector<std::string>{kGrub});
    ASSERT_TRUE(WaitUntil([&] { return Restarted(); })) << "Yes asks for the restart";
    EXPECT_EQ(ReadFile(restartLog), "restart\r\n") << "once";
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(RowText(4, 5), "Next start only");
    EXPECT_EQ(WindowText(::GetDlgItem(main, IDC_ONE_TIME_TEXT)), std::string("Next start only: \"GRUB (Debian)\" ") + kGrub);
    ASSERT_TRUE(::IsWindowVisible(::GetDlgItem(main, IDC_CANCEL_ONE_TIME)));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no mismatch reported";

    // Cancel One-Time Start: the element goes, and so does the line.
    Press(main, IDC_CANCEL_ONE_TIME);
    ASSERT_TRUE(WaitUntil([&] { return Count("/deletevalue {bootmgr} bootsequence") == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(::GetDlgItem(main, IDC_ONE_TIME_TEXT)).empty(); }));
    EXPECT_TRUE(Stored(kBootManagerGuid, "bootsequence").empty());
    EXPECT_EQ(RowText(4, 5), "");
    EXPECT_EQ(::IsWindowVisible(::GetDlgItem(main, IDC_CANCEL_ONE_TIME)), FALSE);

    // A boot sector can be the default, too.
    RightClickRow(4);
    ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr && InMenuLoop(main); }));
    PressKey('F');
    ASSERT_TRUE(WaitUntil([&] { return Count(std::string("/set {bootmgr} default ") + kGrub) == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return RowText(4, 2) == "TRUE"; }));
    EXPECT_EQ(RowText(0, 2), "FALSE");
    EXPECT_EQ(Stored(kBootManagerGuid, "default"), std::vector<std::string>{kGrub});
}

TEST_F(BootMenus, InBiosModeTheFirmwareWindowSaysSo)
{
    AddStoreSetting("@firmware = bios");
    Start(kSampleRows);
    HWND window = OpenFirmwareMenu(0);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_FW_STATE)),
              "This PC starts in BIOS mode: the firmware has no boot menu of its own.");
    EXPECT_EQ(Count("/enum firmware /v"), 1) << "a positive control: the firmware's menu was read";
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_FW_ONCE)));
    Press(window, IDOK);
    EXPECT_TRUE(Gone(window));
}

TEST_F(BootMenus, AListingThatEndsInADeviceErrorStillShowsItsEntriesAndSaysTheError)
{
    AddStoreSetting("@deviceerror = yes");
    // The memory tester is read on its own only after a listing read whole.
    Start(kSampleRows - 1);
    EXPECT_EQ(RowText(4, 1), "GRUB (Debian)");
    EXPECT_NE(StatusLine().find("A device which does not exist was specified."), std::string::npos) << StatusLine();
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no read failure told";
}
