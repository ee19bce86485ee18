#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sim/CSimStore.h"
#include "sim/SimStoreFile.h"
#include "res/resource.h"
#include "tests/wine/WineTestSupport.h"

// The program started against a fresh simulator store, with the simulator's
// command log, for tests that drive it as a user would.
inline const char* const kCaption = "Keystave - Boot Configuration Data Editor";
inline const char* const kWin11 = "{5d8a3f2e-1c4b-11ef-9a7d-806e6f6e6963}";
inline const char* const kWin10 = "{5d8a3f30-1c4b-11ef-9a7d-806e6f6e6963}";
inline const char* const kTest = "{5d8a3f31-1c4b-11ef-9a7d-806e6f6e6963}";
inline const char* const kLegacy = "{466f5a88-0af2-4f76-9038-095b170dc21c}";
inline const char* const kGrub = "{5d8a3f33-1c4b-11ef-9a7d-806e6f6e6963}";
inline const char* const kMemdiag = "{b2721d73-1db4-4c62-bf78-c548a880142d}";
// The sample store's list: four loaders and GRUB's boot sector in the boot
// menu, the memory tester in the tools menu.
inline constexpr int kSampleRows = 6;

inline std::string ReadFile(const std::string& path)
{
    std::string text;
    ReadWholeFile(path, text);
    return text;
}

// Removes one object's section from a store text.
inline std::string WithoutObject(std::string store, const std::string& guid)
{
    size_t start = store.find("[" + guid + "]");
    if (start == std::string::npos)
        return store;
    size_t end = store.find("\n[", start + 1);
    store.erase(start, end == std::string::npos ? std::string::npos : end + 1 - start);
    return store;
}

// Clicks the entry `text` of a list box of the program.
inline void ClickListEntry(HWND list, const std::string& text)
{
    LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_GE(index, 0) << text;
    ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT rect = {};
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    POINT point = {rect.left + 20, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list, &point);
    ClickAt(point);
}

inline std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        char narrow[256] = {};
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        entries.push_back(narrow);
    }
    return entries;
}

class ProgramTest : public ::testing::Test {
protected:
    // A store text as the simulator writes it back.
    static std::string Rewritten(const std::string& text)
    {
        CSimStore store;
        std::string error;
        EXPECT_TRUE(store.Parse(text, error)) << error;
        return store.Serialize();
    }
    // Replaces the elements of the store's debugger settings ("name = value"
    // lines), before the program starts.
    void UseDebuggerSettings(const std::string& elements)
    {
        std::string store = ReadFile(storePath);
        const std::string header = "@alias = {dbgsettings}\n";
        size_t start = store.find(header);
        ASSERT_NE(start, std::string::npos);
        start += header.size();
        size_t end = store.find("\n\n", start);
        store.replace(start, end == std::string::npos ? std::string::npos : end + 1 - start, elements);
        ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    }

    void SetUp() override
    {
        // A whole suite can drive the 32-bit program in place of the 64-bit one.
        if (::GetEnvironmentVariableA("KEYSTAVE_TEST_32BIT_PROGRAM", nullptr, 0) > 0)
            programFolder = Windows32Folder();
        folder = MakeTempFolder("ks-main");
        storePath = folder + "\\store.txt";
        logPath = folder + "\\commands.txt";
        UseFreshSampleStore(storePath);
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LOG", logPath.c_str());
        // Each test's backups go to a folder of its own.
        appData = folder + "\\AppData";
        ::CreateDirectoryA(appData.c_str(), nullptr);
        ::SetEnvironmentVariableA("LOCALAPPDATA", appData.c_str());
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_ACCESS_DENIED", nullptr);
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LOG", nullptr);
        if (program && main && ::IsWindow(main)) {
            ::PostMessageA(main, WM_COMMAND, IDOK, 0);
            program->WaitForExit(10000);
        }
    }

    // Starts the program and waits until its loader list holds `rows` rows.
    void Start(int rows)
    {
        program = programFolder.empty()
                      ? std::make_unique<ChildProcess>("keystave.exe")
                      : std::make_unique<ChildProcess>("\"" + programFolder + "\\keystave.exe\"", programFolder);
        ASSERT_TRUE(program->Started());
        main = WaitForWindow(program->Id(), kCaption, 20000);
        ASSERT_NE(main, nullptr);
        loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
        WaitForRows(rows, 20000);
        ASSERT_EQ(ListView_GetItemCount(loaders), rows);
        // Once the window shows, it asks which Windows is running.
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<std::string> log = ReadCommandLog(logPath);
            return std::find(log.begin(), log.end(), "/enum {current} /v") != log.end();
        }));
        ::SetForegroundWindow(main);
        ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; }));
        ASSERT_TRUE(WaitIdle());
        startCommands = ReadCommandLog(logPath).size();
    }

    void RightClickRow(int row)
    {
        WaitIdle();  // a list being read again has no rows to aim at
        RemoteListView list(loaders);
        POINT point = list.ItemCentre(row);
        ClickAt(point);
        ClickAt(point, true);
    }

    HWND Menu() { return FindProcessWindow(program->Id(), "#32768", nullptr); }

    void Type(const std::string& text)
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
    // The commands sent since the program had read the store, with or
    // without the backup the first change of a session brings.
    std::vector<std::string> SentWithBackups() const
    {
        std::vector<std::string> all = ReadCommandLog(logPath);
        return std::vector<std::string>(all.begin() + static_cast<long>(std::min(startCommands, all.size())),
                                        all.end());
    }
    std::vector<std::string> Sent() const
    {
        std::vector<std::string> sent;
        for (const std::string& command : SentWithBackups())
            if (command.rfind("/export ", 0) != 0)
                sent.push_back(command);
        return sent;
    }
    // The backup files in the test's backup folder.
    std::vector<std::string> BackupFiles() const
    {
        return FolderEntries(appData + "\\Keystave\\Backups", "*.bak");
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
    // A window closed, and what closing it started (a read, a change) is over.
    bool Gone(HWND window) { return WaitUntil([&] { return !::IsWindow(window); }) && WaitIdle(); }
    // Adds a line to the store's own section, before the program starts or between runs.
    void AddStoreSetting(const std::string& line)
    {
        std::string store = ReadFile(storePath);
        size_t at = store.find("[store]\n");
        ASSERT_NE(at, std::string::npos);
        store.insert(at + 8, line + "\n");
        ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    }
    // How many commands the simulator ran that begin with `prefix`.
    int Count(const std::string& prefix) const
    {
        std::vector<std::string> log = ReadCommandLog(logPath);
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& command) {
            return command.rfind(prefix, 0) == 0;
        }));
    }
    std::string StatusLine() { return WindowText(::GetDlgItem(main, IDC_STATUS_TEXT)); }
    // While the tool runs the program takes no clicks or keys, and its
    // status line says what it waits for.
    bool ToolRunning()
    {
        std::string status = StatusLine();
        return status == "Reading the boot configuration..." ||
               status == "Sending a change to the boot configuration...";
    }
    // No run in progress, asked of the window where it takes messages.
    // The loader list holds `rows` rows and the read that filled it is over:
    // the list fills before the rest of the window's reads are in.
    bool WaitForRows(int rows, DWORD milliseconds = 10000)
    {
        return WaitUntil([&] { return ListView_GetItemCount(loaders) == rows; }, milliseconds) && WaitIdle();
    }
    bool WaitIdle()
    {
        static const UINT running = ::RegisterWindowMessageA("KEYSTAVE_TOOL_RUNNING");
        return !::IsWindow(main) || WaitUntil([&] {
                   DWORD_PTR runs = 1;
                   return ::SendMessageTimeoutA(main, running, 0, 0, SMTO_NORMAL, 1000, &runs) && runs == 0;
               }, 30000);
    }
    // Input as a user gives it: once the program is ready to take it.
    void ClickAt(POINT screen, bool right = false)
    {
        WaitIdle();
        ::ClickAt(screen, right);
    }
    void PressKey(WORD key)
    {
        WaitIdle();
        ::PressKey(key);
    }
    // The main window is usable again: no window of ours holds it.
    bool MainEnabled() { return WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }); }
    // Waits for the program's message box, reads it and presses its OK.
    std::string AnswerBox(const char* caption = "Keystave")
    {
        HWND box = Window(caption, 10000);
        if (!box)
            return "<no box>";
        std::string text = WindowText(::GetDlgItem(box, 0xFFFF));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(Gone(box)) << "the box closes with OK";
        return text;
    }

    // Chooses the command of `key` in loader row `row`'s context menu; the
    // window with `caption` it opens, once it is there.
    HWND FromLoaderMenu(int row, WORD key, const char* caption)
    {
        RightClickRow(row);
        // Shown is not yet taking keys: the program's thread must be in the menu's loop.
        EXPECT_TRUE(WaitUntil([&] { return Menu() != nullptr && InMenuLoop(main); }))
            << "the context menu of row " << row;
        PressKey(key);
        return Window(caption);
    }
    HWND OpenLoaderProperties(int row) { return FromLoaderMenu(row, 'P', "Boot Loader Properties"); }
    // Asks to delete a loader row from its menu; returns the question's text
    // and its box, which is left open.
    std::string AskToDelete(int row, HWND& box)
    {
        box = FromLoaderMenu(row, 'D', "Keystave");
        return box ? WindowText(::GetDlgItem(box, 0xFFFF)) : std::string("<no question>");
    }
    // Changes nx of loader row `row` in its property window and waits for
    // the main window's read after OK.
    void ChangeNxAndWaitForTheRead(int row)
    {
        int reads = Count("/DBGSETTINGS");
        HWND window = OpenLoaderProperties(row);
        ASSERT_NE(window, nullptr);
        ChooseInCell(::GetDlgItem(window, IDC_LOADER_GRID), "nx", 1);
        Press(window, IDOK);
        ASSERT_TRUE(Gone(window));
        ASSERT_TRUE(WaitUntil([&] { return Count("/DBGSETTINGS") > reads; }));
        EXPECT_TRUE(MainEnabled());
    }
    HWND OpenBootManager()
    {
        ClickAt(WindowCentre(::GetDlgItem(main, IDC_MODIFY_BOOT)));
        return Window("Boot Manager Properties");
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
    // Chooses entry `index` of a drop-down list with the keyboard.
    void ChooseInCombo(HWND window, int comboId, int index)
    {
        ClickAt(WindowCentre(::GetDlgItem(window, comboId)));
        PressKey(VK_HOME);
        for (int i = 0; i < index; ++i)
            PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        WaitUntil([&] { return Selected(window, comboId) == index; }, 3000);
    }
    static int Selected(HWND window, int comboId)
    {
        return static_cast<int>(::SendMessageA(::GetDlgItem(window, comboId), CB_GETCURSEL, 0, 0));
    }
    // A dialog of the program with that caption, once it is there.
    HWND Window(const char* caption, DWORD milliseconds = 10000)
    {
        return WaitForProcessWindow(program->Id(), "#32770", caption, milliseconds);
    }
    void Press(HWND window, int id) { ClickAt(WindowCentre(::GetDlgItem(window, id))); }
    // The grid row whose element name is `name`, or -1.
    static int GridRow(HWND grid, const std::string& name)
    {
        RemoteListView list(grid);
        for (int row = 0; row < list.Count(); ++row)
            if (list.Text(row, 0) == name)
                return row;
        return -1;
    }
    // A point in the value cell of a grid row, in screen coordinates.
    static POINT ValueCell(HWND grid, int row)
    {
        RECT rect = RemoteListView(grid).ItemRect(row);
        int nameWidth = static_cast<int>(::SendMessageA(grid, LVM_GETCOLUMNWIDTH, 0, 0));
        POINT point = {nameWidth + 30, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(grid, &point);
        return point;
    }

    std::string folder, storePath, logPath, appData;
    std::string programFolder;  // another keystave.exe than the one beside the tests
    size_t startCommands = 0;  // commands sent before the program had read the store
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
    HWND loaders = nullptr;
};
