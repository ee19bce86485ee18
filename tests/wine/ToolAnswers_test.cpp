#include <gtest/gtest.h>

#include <algorithm>

#include "exec/SplitToolOutput.h"
#include "winexec/ToolRunner.h"
#include "tests/wine/ProgramFixture.h"

// What the program makes of answers that are not the whole store, of many
// lines it does not know, and which BCDEDIT.EXE it runs at all.
namespace {

class ToolAnswers : public ProgramTest {
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_TOOL", nullptr);
    }
    void RemoveStoreSetting(const std::string& line)
    {
        std::string store = ReadFile(storePath);
        size_t at = store.find(line + "\n");
        ASSERT_NE(at, std::string::npos);
        store.erase(at, line.size() + 1);
        ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    }
};

}  // namespace

TEST_F(ToolAnswers, AListingCutOffIsShownWithTheToolsWordsAndItsDisplayOrderIsNotWritten)
{
    // Where the listing is cut: after the second of the five display-order entries.
    std::vector<std::string> lines = SplitToolOutput(ToolRunner("BCDEDIT.EXE", "/ENUM /V"));
    auto order = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& line) { return line.rfind("displayorder", 0) == 0; });
    ASSERT_NE(order, lines.end());
    ASSERT_EQ(order[4].find_first_not_of(' '), 24u) << "five entries";
    // The tool's output begins with an empty line, which the split drops.
    int cut = static_cast<int>(order - lines.begin()) + 1 + 2;
    AddStoreSetting("@enumcut = " + std::to_string(cut));
    Start(0);
    EXPECT_TRUE(WaitUntil([&] { return StatusLine().find("exit code 1") != std::string::npos; })) << StatusLine();
    EXPECT_NE(StatusLine().find("may be incomplete"), std::string::npos) << StatusLine();
    HWND boot = ::GetDlgItem(main, IDC_BOOTMGR_GRID);
    EXPECT_GE(GridRow(boot, "displayorder"), 0) << "what was read is shown";

    // The boot manager's window reads its entry again first; that read is
    // cut as well, so the window opens read-only and sends nothing.
    Press(main, IDC_MODIFY_BOOT);
    std::string told = AnswerBox();
    EXPECT_NE(told.find("is read again on its own before it is changed; the entry"), std::string::npos) << told;
    EXPECT_NE(told.find("changes nothing"), std::string::npos) << told;
    HWND window = Window("Boot Manager Properties (read-only)");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDOK)));
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Gone(window));
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(Count("/set"), 0) << "no display order from a read that may be incomplete";
    EXPECT_EQ(Count("/enum {bootmgr} /v") + Count("/enum {9dea862c-5cdd-4e70-acc1-f32b344d4795} /v"), 1);

    // Positive control: once the tool answers whole, the entry's own read
    // succeeds and the window may change it.
    RemoveStoreSetting("@enumcut = " + std::to_string(cut));
    Press(main, IDC_MODIFY_BOOT);
    window = Window("Boot Manager Properties");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDOK)));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr);
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}

TEST_F(ToolAnswers, ManyUnknownLinesGiveOneMessageThatARefreshDoesNotRepeat)
{
    std::string store = ReadFile(storePath);
    size_t win10 = store.find(std::string("[") + kWin10 + "]\n");
    ASSERT_NE(win10, std::string::npos);
    std::string oddities;
    for (int i = 0; i < 40; ++i)
        oddities += "oddity" + std::to_string(i) + " = x\n";
    store.insert(store.find('\n', win10) + 1, oddities);
    ASSERT_TRUE(WriteStoreAtomically(storePath, store));

    program = std::make_unique<ChildProcess>("keystave.exe");
    ASSERT_TRUE(program->Started());
    std::string told = AnswerBox();
    EXPECT_NE(told.find("40 notices"), std::string::npos) << told;
    EXPECT_NE(told.find("Unsupported Loader Identifier: oddity0."), std::string::npos) << told;
    EXPECT_EQ(Window("Keystave", 0), nullptr) << "one box, not forty";
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    ASSERT_TRUE(WaitForRows(kSampleRows));
    ASSERT_TRUE(WaitUntil([&] { return Count("/enum {current} /v") == 1; }));
    ::SetForegroundWindow(main);

    // A change and the read after it: nothing told again.
    ChangeNxAndWaitForTheRead(0);
    EXPECT_EQ(Window("Keystave", 0), nullptr) << "a refresh repeats no notice";
}

TEST_F(ToolAnswers, ABcdeditPlantedInTheCurrentFolderRunsOnlyWhenKeystaveToolNamesIt)
{
    std::string planted = MakeTempFolder("ks-planted");
    ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "\\toolprobe.exe").c_str(),
                            (planted + "\\BCDEDIT.EXE").c_str(), FALSE));
    std::string marker = planted + "\\planted-tool-ran";
    program = std::make_unique<ChildProcess>("keystave.exe", planted);
    ASSERT_TRUE(program->Started());
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    EXPECT_TRUE(WaitForRows(kSampleRows)) << "the simulator answered";
    EXPECT_EQ(::GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the planted tool never ran";
    ::PostMessageA(main, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program->WaitForExit(10000));

    // Named by KEYSTAVE_TOOL, it is the tool (the positive control).
    ::SetEnvironmentVariableA("KEYSTAVE_TOOL", (planted + "\\BCDEDIT.EXE").c_str());
    program = std::make_unique<ChildProcess>("keystave.exe", planted);
    ASSERT_TRUE(program->Started());
    std::string told = AnswerBox();
    EXPECT_NE(told.find("BCDEDIT.EXE ended without printing anything (exit code 1)."), std::string::npos)
        << told;
    EXPECT_NE(::GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}
