#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

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

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder("ks-main");
        storePath = folder + "\\store.txt";
        logPath = folder + "\\commands.txt";
        UseFreshSampleStore(storePath);
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LOG", logPath.c_str());
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
        program = std::make_unique<ChildProcess>("keystave.exe");
        ASSERT_TRUE(program->Started());
        main = WaitForWindow(program->Id(), kCaption, 20000);
        ASSERT_NE(main, nullptr);
        loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
        DWORD start = ::GetTickCount();
        while (ListView_GetItemCount(loaders) != rows && ::GetTickCount() - start < 10000)
            WaitMilliseconds(50);
        ASSERT_EQ(ListView_GetItemCount(loaders), rows);
        ::SetForegroundWindow(main);
        WaitMilliseconds(200);
    }

    void RightClickRow(int row)
    {
        RemoteListView list(loaders);
        POINT point = list.ItemCentre(row);
        ClickAt(point);
        ClickAt(point, true);
    }

    HWND Menu() { return FindProcessWindow(program->Id(), "#32768", nullptr); }

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

    std::string folder, storePath, logPath;
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
    HWND loaders = nullptr;
};
