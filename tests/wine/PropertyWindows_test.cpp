#include <gtest/gtest.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

namespace {

class PropertyWindows : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Start(4);
        startCommands = ReadCommandLog(logPath).size();
    }

    HWND Window(const char* caption, DWORD milliseconds = 10000)
    {
        return WaitForProcessWindow(program->Id(), "#32770", caption, milliseconds);
    }
    HWND OpenLoaderProperties(int row)
    {
        RightClickRow(row);
        EXPECT_TRUE(WaitUntil([&] { return Menu() != nullptr; }));
        PressKey('P');
        return Window("Boot Loader Properties");
    }
    HWND OpenBootManager()
    {
        ClickAt(WindowCentre(::GetDlgItem(main, IDC_MODIFY_BOOT)));
        return Window("Boot Manager Properties");
    }
    // The row whose element name is `name`, or -1.
    static int GridRow(HWND grid, const std::string& name)
    {
        RemoteListView list(grid);
        for (int row = 0; row < list.Count(); ++row)
            if (list.Text(row, 0) == name)
                return row;
        return -1;
    }
    static POINT ValueCell(HWND grid, int row)
    {
        RECT rect = RemoteListView(grid).ItemRect(row);
        int nameWidth = static_cast<int>(::SendMessageA(grid, LVM_GETCOLUMNWIDTH, 0, 0));
        POINT point = {nameWidth + 30, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(grid, &point);
        return point;
    }
    HWND Combo() { return FindProcessWindow(program->Id(), "SuperComboBox", nullptr); }
    // Opens the drop-down of `name`'s value, moves `down` entries and takes it with Enter.
    void ChooseInCell(HWND grid, const std::string& name, int down)
    {
        int row = GridRow(grid, name);
        ASSERT_GE(row, 0) << name;
        ClickAt(ValueCell(grid, row));
        ASSERT_TRUE(WaitUntil([&] { return Combo() != nullptr; })) << name << " opens its list";
        for (int i = 0; i < down; ++i)
            PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return Combo() == nullptr; }));
    }
    void TypeInCell(HWND grid, const std::string& name, const std::string& text)
    {
        int row = GridRow(grid, name);
        ASSERT_GE(row, 0) << name;
        ClickAt(ValueCell(grid, row));
        ASSERT_TRUE(WaitUntil([&] { return ::GetDlgItem(grid, 99) != nullptr; })) << "a text box";
        Type(text);
        PressKey(VK_RETURN);
    }
    static void Type(const std::string& text)
    {
        for (char c : text) {
            if (c >= 'a' && c <= 'z')
                PressKey(static_cast<WORD>(c - 'a' + 'A'));
            else if (c == ' ')
                PressKey(VK_SPACE);
            else if (c == '\\')
                PressKey(VK_OEM_5);
            else if (c == '.')
                PressKey(VK_OEM_PERIOD);
            else
                PressKey(static_cast<WORD>(c));
        }
    }
    void Press(HWND window, int id) { ClickAt(WindowCentre(::GetDlgItem(window, id))); }
    // The commands sent since the program had read the store.
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> all = ReadCommandLog(logPath);
        return std::vector<std::string>(all.begin() + static_cast<long>(std::min(startCommands, all.size())),
                                        all.end());
    }
    // The values of an element in the simulator's store file.
    std::vector<std::string> Stored(const std::string& guid, const std::string& name) const
    {
        std::string store = ReadFile(storePath);
        size_t start = store.find("[" + guid + "]");
        size_t end = start == std::string::npos ? start : store.find("\n[", start + 1);
        std::string section = start == std::string::npos ? std::string() : store.substr(start, end - start);
        std::vector<std::string> values;
        size_t at = 0;
        std::string key = "\n" + name + " = ";
        while ((at = section.find(key, at)) != std::string::npos) {
            at += key.size();
            values.push_back(section.substr(at, section.find('\n', at) - at));
        }
        return values;
    }
    // The store file without its comment lines, which a rewrite does not keep.
    std::string StoreContent() const
    {
        std::string text = ReadFile(storePath), content;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            if (text[start] != '#')
                content += text.substr(start, end + 1 - start);
        return content;
    }
    bool Gone(HWND window) { return WaitUntil([&] { return !::IsWindow(window); }); }
    // Waits for the program's message box, reads it and presses its OK.
    std::string AnswerBox(const char* caption = "Keystave")
    {
        HWND box = Window(caption, 10000);
        if (!box)
            return "<no box>";
        std::string text = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        Gone(box);
        return text;
    }

    size_t startCommands = 0;
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
    ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= 3; }));
    EXPECT_EQ(Sent(), (std::vector<std::string>{std::string("/set ") + kWin11 + " nx \"OPTOUT\"",
                                                "/ENUM /V", "/DBGSETTINGS"}));
    std::string expected = before;
    expected.replace(expected.find("nx = OptIn"), 10, "nx = OptOut");
    EXPECT_TRUE(StoreContent() == expected) << "exactly that element changed";

    // OK with nothing changed, and Cancel after edits, send nothing.
    size_t sentBefore = Sent().size();
    window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= sentBefore + 2; })) << "the main window reads again";
    EXPECT_EQ(Sent().size(), sentBefore + 2);
    EXPECT_EQ(Sent()[sentBefore], "/ENUM /V");
    window = OpenLoaderProperties(1);
    ASSERT_NE(window, nullptr);
    grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    ChooseInCell(grid, "nx", 2);
    TypeInCell(grid, "description", "changed");
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
    WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; });
    EXPECT_EQ(Sent().size(), sentBefore + 2) << "Cancel sends nothing";
    EXPECT_TRUE(StoreContent() == expected) << "Cancel changed nothing";
}

TEST_F(PropertyWindows, ARefusedRowIsToldAndTheNextRowIsStillWritten)
{
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    int refusedRow = GridRow(grid, "allowedinmemorysettings");
    ASSERT_LT(refusedRow, GridRow(grid, "nx"));
    TypeInCell(grid, "allowedinmemorysettings", "zz");
    ChooseInCell(grid, "nx", 1);
    Press(window, IDOK);

    HWND log = Window("Command Output");
    ASSERT_NE(log, nullptr) << "the tool's refusal is shown";
    EXPECT_EQ(WindowText(::GetDlgItem(log, IDC_COMMAND_TEXT)),
              std::string("/set ") + kWin11 + " allowedinmemorysettings \"zz\"");
    ::PostMessageA(log, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AnswerBox(), "Modified " + std::to_string(refusedRow) + " allowedinmemorysettings");
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Sent().size() >= 4; }));
    std::vector<std::string> sent = Sent();
    EXPECT_EQ(sent[0], std::string("/set ") + kWin11 + " allowedinmemorysettings \"zz\"");
    EXPECT_EQ(sent[1], std::string("/set ") + kWin11 + " nx \"OPTOUT\"") << "rows in order";
    EXPECT_EQ(Stored(kWin11, "nx"), std::vector<std::string>{"OptOut"});
    EXPECT_EQ(Stored(kWin11, "allowedinmemorysettings"), std::vector<std::string>{"0x15000075"});
}
