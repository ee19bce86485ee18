// A tour of the editing windows for scripts/screenshot-windows.sh; not a
// test of its own (disabled unless asked for).
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/CPropertySheet.h"
#include "tests/wine/ProgramFixture.h"

namespace {

class Screenshots : public ProgramTest {
protected:
    // Opens the list window of a grid row with a keyboard choice in its cell.
    HWND OpenListWindow(HWND grid, const char* element, const char* caption)
    {
        ClickAt(ValueCell(grid, GridRow(grid, element)));
        PressKey(VK_RETURN);
        return Window(caption);
    }
    // Tells the script that `name` is on screen and waits until it was taken.
    void Shoot(const std::string& name)
    {
        const char* folder = std::getenv("KEYSTAVE_SHOT_DIR");
        ASSERT_NE(folder, nullptr);
        std::string base = std::string(folder) + "\\" + name;
        // Windows closed over the main window leave it to repaint: now, not later.
        ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WaitMilliseconds(500);  // let the window paint before it is taken
        ASSERT_TRUE(WriteStoreAtomically(base + ".ready", name));
        ASSERT_TRUE(WaitUntil([&] { return ::GetFileAttributesA((base + ".done").c_str()) !=
                                           INVALID_FILE_ATTRIBUTES; },
                              60000));
    }
};

}  // namespace

TEST_F(Screenshots, DISABLED_Tour)
{
    Start(kSampleRows);
    HWND loader = OpenLoaderProperties(2);
    ASSERT_NE(loader, nullptr);
    Shoot("loader-properties");

    Press(loader, IDC_ADD_PROPERTY);
    HWND add = Window("Add a Property");
    ASSERT_NE(add, nullptr);
    HWND list = ::GetDlgItem(add, IDC_PROPERTY_LIST);
    RECT rect = {};
    ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    POINT first = {rect.left + 20, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list, &first);
    ClickAt(first);
    Shoot("add-property");
    Press(add, IDCANCEL);

    Press(loader, IDC_DELETE_PROPERTY);
    HWND remove = Window("Delete a Property");
    ASSERT_NE(remove, nullptr);
    Shoot("delete-property");
    Press(remove, IDCANCEL);

    HWND grid = ::GetDlgItem(loader, IDC_LOADER_GRID);
    HWND pages = OpenListWindow(grid, "badmemorylist", "Modify Physical Pages");
    ASSERT_NE(pages, nullptr);
    Shoot("physical-pages");
    Press(pages, IDCANCEL);
    Press(loader, IDCANCEL);

    ClickAt(WindowCentre(::GetDlgItem(main, IDC_MODIFY_BOOT)));
    HWND manager = Window("Boot Manager Properties");
    ASSERT_NE(manager, nullptr);
    Shoot("bootmgr-properties");
    grid = ::GetDlgItem(manager, IDC_BOOTMGR_PROPERTY_GRID);
    HWND order = OpenListWindow(grid, "displayorder", "Modify List Order");
    ASSERT_NE(order, nullptr);
    Shoot("display-order");
    Press(order, IDCANCEL);
    Press(manager, IDCANCEL);

    HWND clone = FromLoaderMenu(1, 'C', "Clone Configuration");
    ASSERT_NE(clone, nullptr);
    Shoot("clone");
    Press(clone, IDCANCEL);

    Press(main, IDC_MODIFY_DEBUG);
    HWND debug = Window("Modify Debug Settings");
    ASSERT_NE(debug, nullptr);
    ChooseInCombo(debug, IDC_CONNECT_TYPE, 0);  // Serial
    Shoot("debug-serial");
    ChooseInCombo(debug, IDC_CONNECT_TYPE, 3);  // Net
    ClickAt(WindowCentre(::GetDlgItem(debug, IDC_HOST_IP)));
    Type("192.168.1.2");
    Shoot("debug-net");
    Press(debug, IDOK);
    HWND key = Window("Network Debugging Key");
    ASSERT_NE(key, nullptr);
    Shoot("debug-key");
    Press(key, IDOK);

    // The debugger change made the session's backup: the status line says where.
    Shoot("main-marked");
    HWND question = FromLoaderMenu(0, 'D', "Keystave");
    ASSERT_NE(question, nullptr);
    Shoot("delete-running");
    ::PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    Press(main, IDC_HISTORY);
    HWND history = Window("Command History");
    ASSERT_NE(history, nullptr);
    Shoot("history");
    Press(history, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    Press(main, IDC_BACKUPS);
    HWND backups = Window("Backups and Restore");
    ASSERT_NE(backups, nullptr);
    Press(backups, IDC_BACKUP_NOW);
    ASSERT_TRUE(WaitUntil([&] { return RemoteListView(::GetDlgItem(backups, IDC_BACKUP_LIST)).Count() == 2; }));
    Shoot("backups");
    Press(backups, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    // The test-signing entry, which also starts in safe mode.
    ClickAt(RemoteListView(loaders).ItemCentre(2));
    Press(main, IDC_QUICK_SETTINGS);
    HWND quick = Window("Quick Settings");
    ASSERT_NE(quick, nullptr);
    Shoot("quick-settings");
    Press(quick, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    ::PostMessageA(main, WM_COMMAND, IDC_CREATE_ENTRY, 0);
    HWND wizard = Window("Choose Application Type");
    ASSERT_NE(wizard, nullptr);
    Shoot("wizard");
    // Each kind's page, and the commands an OS loader would send.
    auto page = [&] { return reinterpret_cast<HWND>(::SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)); };
    auto kind = [&](int button, const char* caption) {
        ClickAt(WindowCentre(::GetDlgItem(page(), button)));
        Press(wizard, ID_WIZNEXT);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(wizard) == caption; }));
    };
    kind(IDC_KIND_OS_LOADER, "Create OsLoader Application");
    Shoot("create-os-loader");
    Press(wizard, ID_WIZNEXT);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(wizard) == "Create Entry: Commands"; }));
    Shoot("create-preview");
    Press(wizard, ID_WIZBACK);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(wizard) == "Create OsLoader Application"; }));
    Press(wizard, ID_WIZBACK);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(wizard) == "Choose Application Type"; }));
    kind(IDC_KIND_BOOT_SECTOR, "Create Boot Sector Application");
    Shoot("create-boot-sector");
    Press(wizard, ID_WIZBACK);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(wizard) == "Choose Application Type"; }));
    kind(IDC_KIND_RESUME, "Create Resume Application");
    Shoot("create-resume");
    Press(wizard, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    // The firmware's menu, with the Linux shim chosen for the next start only.
    ::SetEnvironmentVariableA("KEYSTAVE_RESTART_LOG", (folder + "\\restart.txt").c_str());
    Press(main, IDC_FIRMWARE_MENU);
    HWND firmware = Window("Firmware Boot Menu");
    ASSERT_NE(firmware, nullptr);
    HWND firmwareList = ::GetDlgItem(firmware, IDC_FW_LIST);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetItemCount(firmwareList) == 5; }));
    ClickAt(RemoteListView(firmwareList).ItemCentre(1));
    Press(firmware, IDC_FW_ONCE);
    HWND restart = Window("Keystave");
    ASSERT_NE(restart, nullptr);
    PressKey(VK_RETURN);  // No
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(restart); }));
    ClickAt(RemoteListView(firmwareList).ItemCentre(4));
    Shoot("firmware-menu");
    Press(firmware, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    // The boot manager's menus with GRUB chosen for the next start only.
    HWND once = FromLoaderMenu(4, 'R', "Keystave");
    ASSERT_NE(once, nullptr);
    PressKey(VK_RETURN);  // No
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(once); }));
    ASSERT_TRUE(WaitIdle());
    ClickAt(RemoteListView(loaders).ItemCentre(4));
    Shoot("boot-menus");
    ::SetEnvironmentVariableA("KEYSTAVE_RESTART_LOG", nullptr);
}
