#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "framework/CUniqueHandle.h"
#include "tests/wine/ProgramFixture.h"
#include "winexec/ToolRunner.h"

// The window while BCDEDIT.EXE works: it keeps answering, says what it
// waits for, takes no second command, and lets a tool that does not end be
// ended, with the outcome said to be unknown.
namespace {

class Responsive : public ProgramTest {
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_TOOL_TIMEOUT", nullptr);
    }
    // Runs of the simulator that are still alive.
    static int ToolProcesses()
    {
        CKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        int count = 0;
        for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry))
            count += ::lstrcmpiA(entry.szExeFile, "BCDEDIT.EXE") == 0;
        return count;
    }
    // The question about a tool that has not finished, once it is there.
    HWND HungQuestion(DWORD milliseconds)
    {
        HWND found = nullptr;
        WaitUntil([&] {
            HWND window = FindProcessWindow(program->Id(), "#32770", "Keystave");
            found = window && ::GetDlgItem(window, IDC_END_IT) ? window : nullptr;
            return found != nullptr;
        }, milliseconds);
        return found;
    }
    void RemoveStoreSetting(const std::string& line)
    {
        std::string store = ReadFile(storePath);
        size_t at = store.find(line + "\n");
        ASSERT_NE(at, std::string::npos) << line;
        store.erase(at, line.size() + 1);
        ASSERT_TRUE(WriteStoreAtomically(storePath, store));
        ::DeleteFileA((storePath + ".runs").c_str());
    }
};

}  // namespace

TEST_F(Responsive, TheWindowAnswersWhileTheToolReadsAndTakesNoCommandMeanwhile)
{
    AddStoreSetting("@delay = 2000");
    program = std::make_unique<ChildProcess>("keystave.exe");
    ASSERT_TRUE(program->Started());
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    ASSERT_TRUE(WaitUntil([&] { return StatusLine() == "Reading the boot configuration..."; }))
        << "the window shows before the store is read, and says what it waits for";
    EXPECT_EQ(ListView_GetItemCount(loaders), 0);
    for (int probe = 0; probe < 5; ++probe) {
        DWORD start = ::GetTickCount();
        DWORD_PTR answer = 0;
        EXPECT_NE(::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer), 0)
            << "the window answers within 200 ms during a read";
        EXPECT_LT(::GetTickCount() - start, 200u);
        WaitUntil([] { return false; }, 100);
    }
    // A click on History during the read does nothing...
    ::ClickAt(WindowCentre(::GetDlgItem(main, IDC_HISTORY)));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command History"), nullptr);
    ASSERT_TRUE(WaitForRows(kSampleRows, 30000));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(StatusLine(), "") << "the read over, the status line no longer waits";
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command History"), nullptr)
        << "the click was not kept for later";
    // ...and once the tool is done, the same click opens it (the positive control).
    Press(main, IDC_HISTORY);
    HWND history = Window("Command History");
    ASSERT_NE(history, nullptr);
    ::PostMessageA(history, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Gone(history));
}

TEST_F(Responsive, AHungToolIsEndedOnRequestAndTheRestOfTheChangeIsNotSent)
{
    ::SetEnvironmentVariableA("KEYSTAVE_TOOL_TIMEOUT", "3");
    Start(kSampleRows);
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    TypeInCell(grid, "allowedinmemorysettings", "0x15000076");
    ChooseInCell(grid, "nx", 1);
    // The backup before the first change answers; the first change hangs.
    AddStoreSetting("@hangafter = 1");
    Press(window, IDOK);
    HWND question = HungQuestion(20000);
    ASSERT_NE(question, nullptr) << "asked after the time-out";
    EXPECT_NE(WindowText(::GetDlgItem(question, IDC_HUNG_TEXT)).find("has not finished after 3 seconds"),
              std::string::npos);
    EXPECT_EQ(ToolProcesses(), 1);
    // The disk recovers; the hung run still hangs until it is ended.
    RemoveStoreSetting("@hangafter = 1");
    ::ClickAt(WindowCentre(::GetDlgItem(question, IDC_END_IT)));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(question); }));

    std::string told = AnswerBox();
    EXPECT_NE(told.find("ended after"), std::string::npos) << told;
    EXPECT_NE(told.find("outcome unknown"), std::string::npos) << told;
    EXPECT_TRUE(WaitUntil([&] { return ToolProcesses() == 0; })) << "no BCDEDIT.EXE is left running";
    EXPECT_EQ(Count(std::string("/set ") + kWin11 + " allowedinmemorysettings"), 1);
    EXPECT_EQ(Count(std::string("/set ") + kWin11 + " nx"), 0) << "nothing after the ended command";
    EXPECT_NE(Stored(kWin11, "allowedinmemorysettings"), std::vector<std::string>{"0x15000076"})
        << "the hung change was not made";

    // Cancel: the store is read again; the history says what is known.
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
    Press(main, IDC_HISTORY);
    HWND history = Window("Command History");
    ASSERT_NE(history, nullptr);
    RemoteListView list(::GetDlgItem(history, IDC_HISTORY_LIST));
    bool unknown = false;
    for (int row = 0; row < list.Count(); ++row)
        unknown = unknown || (list.Text(row, 1).find("allowedinmemorysettings") != std::string::npos &&
                              list.Text(row, 2) == "outcome unknown");
    EXPECT_TRUE(unknown) << "the ended command's outcome is unknown in the history";
    ::PostMessageA(history, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Gone(history));
}

TEST_F(Responsive, AStoreOfTenThousandEntriesOpensScrollsAndIsKeptSmallInTheHistory)
{
    ASSERT_NE(ToolRunner("BCDEDIT.EXE", "/simgenerate 10000").find("10000 more Windows entries"), std::string::npos);
    Start(kSampleRows + 10000);
    RemoteListView list(loaders);
    // The last entry of the boot menu; the tools menu's comes after it.
    const int last = list.Count() - 2;
    EXPECT_EQ(list.Text(last + 1, 3), "Tools 1");
    EXPECT_EQ(list.Text(last, 0), "{00002710-0000-4000-8000-000000002710}");
    EXPECT_EQ(list.Text(last, 1), "Windows 10000");
    EXPECT_EQ(std::stoi(list.Text(last, 3)), std::stoi(list.Text(last - 1, 3)) + 1) << "no gap in the places";
    EXPECT_EQ(list.Text(last, 5), "");

    // To the end and back with the keyboard: the window answers at once.
    ClickAt(list.ItemCentre(0));
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetNextItem(loaders, -1, LVNI_SELECTED) == 0; }));
    PressKey(VK_END);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetNextItem(loaders, -1, LVNI_SELECTED) == last + 1; }));
    EXPECT_GT(ListView_GetTopIndex(loaders), last - 100) << "scrolled to the end";
    DWORD start = ::GetTickCount();
    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer), 0);
    EXPECT_LT(::GetTickCount() - start, 200u);
    PressKey(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] { return ListView_GetTopIndex(loaders) == 0; }));

    // The history holds the listing's first words, not its lines.
    Press(main, IDC_HISTORY);
    HWND history = Window("Command History");
    ASSERT_NE(history, nullptr);
    RemoteListView entries(::GetDlgItem(history, IDC_HISTORY_LIST));
    ASSERT_GE(entries.Count(), 1);
    std::string words = entries.Text(0, 3);
    EXPECT_EQ(words.rfind("Windows Boot Manager identifier {", 0), 0u) << words;
    EXPECT_EQ(words.size(), 163u) << words;
    ::PostMessageA(history, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Gone(history));
}
