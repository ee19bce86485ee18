// A tour of the editing windows for scripts/screenshot-windows.sh; not a
// test of its own (disabled unless asked for).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/wine/ProgramFixture.h"

namespace {

class Screenshots : public ProgramTest {
protected:
    // Tells the script that `name` is on screen and waits until it was taken.
    void Shoot(const std::string& name)
    {
        const char* folder = std::getenv("KEYSTAVE_SHOT_DIR");
        ASSERT_NE(folder, nullptr);
        std::string base = std::string(folder) + "\\" + name;
        WaitMilliseconds(500);  // let the window paint before it is taken
        ASSERT_TRUE(WriteStoreAtomically(base + ".ready", name));
        ASSERT_TRUE(WaitUntil([&] { return ::GetFileAttributesA((base + ".done").c_str()) !=
                                           INVALID_FILE_ATTRIBUTES; },
                              60000));
    }
    HWND Window(const char* caption)
    {
        return WaitForProcessWindow(program->Id(), "#32770", caption, 10000);
    }
    void Press(HWND window, int id) { ClickAt(WindowCentre(::GetDlgItem(window, id))); }
    POINT ValueCell(HWND grid, int row)
    {
        RECT rect = RemoteListView(grid).ItemRect(row);
        int nameWidth = static_cast<int>(::SendMessageA(grid, LVM_GETCOLUMNWIDTH, 0, 0));
        POINT point = {nameWidth + 30, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(grid, &point);
        return point;
    }
    int GridRow(HWND grid, const std::string& name)
    {
        RemoteListView list(grid);
        for (int row = 0; row < list.Count(); ++row)
            if (list.Text(row, 0) == name)
                return row;
        return -1;
    }
};

}  // namespace

TEST_F(Screenshots, DISABLED_Tour)
{
    Start(4);
    RightClickRow(2);
    ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr; }));
    PressKey('P');
    HWND loader = Window("Boot Loader Properties");
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
    ClickAt(ValueCell(grid, GridRow(grid, "badmemorylist")));
    PressKey(VK_RETURN);
    HWND pages = Window("Modify Physical Pages");
    ASSERT_NE(pages, nullptr);
    Shoot("physical-pages");
    Press(pages, IDCANCEL);
    Press(loader, IDCANCEL);

    ClickAt(WindowCentre(::GetDlgItem(main, IDC_MODIFY_BOOT)));
    HWND manager = Window("Boot Manager Properties");
    ASSERT_NE(manager, nullptr);
    Shoot("bootmgr-properties");
    grid = ::GetDlgItem(manager, IDC_BOOTMGR_PROPERTY_GRID);
    ClickAt(ValueCell(grid, GridRow(grid, "displayorder")));
    PressKey(VK_RETURN);
    HWND order = Window("Modify List Order");
    ASSERT_NE(order, nullptr);
    Shoot("display-order");
    Press(order, IDCANCEL);
    Press(manager, IDCANCEL);
}
