#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"

// Store files of other PCs: opened through the window or the command line,
// changed with "/store" on every command, copied before their first change,
// and never confused with this PC's store.
namespace {

class StoreFiles : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // A repaired PC's store: the sample with one entry named otherwise.
        std::string text = ReadFile(storePath);
        size_t at = text.find("Windows 10 Pro");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, 14, "Repaired Windows");
        ::CreateDirectoryA((folder + "\\other").c_str(), nullptr);
        otherPath = folder + "\\other\\BCD";
        ASSERT_TRUE(WriteStoreAtomically(otherPath, text));
        systemBefore = ReadFile(storePath);
    }
    // Commands the simulator ran that hold `text` anywhere.
    int Containing(const std::string& text) const
    {
        std::vector<std::string> log = ReadCommandLog(logPath);
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& command) {
            return command.find(text) != std::string::npos;
        }));
    }
    std::string StoreLine() { return WindowText(::GetDlgItem(main, IDC_STORE_TEXT)); }
    std::string RowText(int row, int column) { return RemoteListView(loaders).Text(row, column); }
    // Chooses `path` in the window for opening a store file.
    void OpenThroughTheWindow(const std::string& path)
    {
        Press(main, IDC_OPEN_STORE);
        HWND dialog = Window("Open Store File", 15000);
        ASSERT_NE(dialog, nullptr);
        // The file name box: the dialog's one visible edit, however deep in
        // its combo boxes it sits.
        HWND name = nullptr;
        ::EnumChildWindows(dialog, [](HWND child, LPARAM found) {
            char kind[32] = {};
            ::GetClassNameA(child, kind, sizeof kind);
            if (::lstrcmpiA(kind, "Edit") != 0 || !::IsWindowVisible(child))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&name));
        ASSERT_NE(name, nullptr);
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::ClickAt(WindowCentre(::GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(Gone(dialog));
    }

    std::string otherPath;
    std::string systemBefore;
};

}  // namespace

TEST_F(StoreFiles, AFileOpenedThroughTheWindowIsChangedAloneAndCopiedFirst)
{
    Start(kSampleRows);
    EXPECT_EQ(StoreLine(), "Store: this PC (system)");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main, IDC_SYSTEM_STORE)));
    EXPECT_EQ(RowText(1, 1), "Windows 10 Pro");

    // A file that is no store: the tool's words, and this PC's store stays on screen.
    const std::string notAStore = folder + "\\other\\notes.txt";
    ASSERT_TRUE(WriteStoreAtomically(notAStore, "[store\nnot a store at all\n"));
    OpenThroughTheWindow(notAStore);
    std::string told = AnswerBox();
    EXPECT_NE(told.find("The boot configuration data store could not be opened."), std::string::npos) << told;
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(RowText(1, 1), "Windows 10 Pro");
    EXPECT_EQ(StoreLine(), "Store: this PC (system)");
    EXPECT_EQ(WindowText(main), kCaption);

    OpenThroughTheWindow(otherPath);
    ASSERT_TRUE(WaitUntil([&] { return RowText(1, 1) == "Repaired Windows"; })) << RowText(1, 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(StoreLine(), "Store: " + otherPath);
    EXPECT_NE(WindowText(main).find(otherPath), std::string::npos) << WindowText(main);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main, IDC_SYSTEM_STORE)));
    EXPECT_EQ(RowText(0, 5), "Default") << "no Windows runs from a store file";
    const std::string part = "/store \"" + otherPath + "\" ";
    EXPECT_EQ(Sent().back().rfind(part, 0), 0u) << Sent().back();

    // A change there: the file is copied first, then changed; this PC's store is untouched.
    const std::string otherBefore = ReadFile(otherPath);
    HWND box = nullptr;
    std::string question = AskToDelete(1, box);
    EXPECT_NE(question.find("Repaired Windows"), std::string::npos) << question;
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForRows(kSampleRows - 1));
    std::vector<std::string> sent = SentWithBackups();
    EXPECT_EQ(Containing("/export"), 0) << "the tool exports only this PC's store";
    EXPECT_NE(std::find(sent.begin(), sent.end(), part + "/DELETE " + kWin10 + " /cleanup"), sent.end());
    EXPECT_EQ(ReadFile(storePath), systemBefore) << "this PC's store is byte for byte the same";
    EXPECT_EQ(ReadFile(otherPath).find(kWin10), std::string::npos) << "the entry went from the file";
    std::vector<std::string> backups = BackupFiles();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(backups[0].find(" of BCD.bak"), std::string::npos) << backups[0];
    std::string copy = appData + "\\Keystave\\Backups\\" + backups[0];
    EXPECT_EQ(ReadFile(copy), otherBefore) << "the copy is the file before the change";
    EXPECT_EQ(ReadFile(copy + ".from"), otherPath);
    EXPECT_NE(StatusLine().find(copy), std::string::npos) << StatusLine();

    // The Backups window says where the copy came from, and Restore puts it back there.
    Press(main, IDC_BACKUPS);
    HWND backupsWindow = Window("Backups and Restore");
    ASSERT_NE(backupsWindow, nullptr);
    RemoteListView list(::GetDlgItem(backupsWindow, IDC_BACKUP_LIST));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Text(0, 3), backups[0] + "  (" + otherPath + ")");
    Press(backupsWindow, IDC_RESTORE);
    HWND confirm = Window("Backups and Restore");
    ASSERT_NE(confirm, nullptr);
    ASSERT_NE(confirm, backupsWindow);
    std::string restoreQuestion = WindowText(::GetDlgItem(confirm, 0xFFFF));
    EXPECT_NE(restoreQuestion.find("The store file " + otherPath + " is replaced"), std::string::npos)
        << restoreQuestion;
    Press(confirm, IDYES);
    ASSERT_TRUE(Gone(backupsWindow));
    ASSERT_TRUE(WaitForRows(kSampleRows)) << "the file read again, its entry back";
    EXPECT_EQ(ReadFile(otherPath), otherBefore) << "the copy, exactly";
    EXPECT_EQ(Containing("/import"), 0) << "nothing goes into this PC's store";
    EXPECT_EQ(ReadFile(storePath), systemBefore);

    // Back to this PC's store: as it was, with its running entry marked.
    Press(main, IDC_SYSTEM_STORE);
    ASSERT_TRUE(WaitUntil([&] { return RowText(1, 1) == "Windows 10 Pro"; }));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(StoreLine(), "Store: this PC (system)");
    EXPECT_EQ(WindowText(main), kCaption);
    EXPECT_EQ(RowText(0, 5), "Default, running now");
    EXPECT_EQ(Sent().back().find("/store"), std::string::npos) << Sent().back();
}

TEST_F(StoreFiles, TheCommandLineOpensAFileAndAMissingOneSaysWhyAndShowsThisPCsStore)
{
    program = std::make_unique<ChildProcess>("keystave.exe /store \"" + otherPath + "\"");
    ASSERT_TRUE(program->Started());
    main = WaitForWindow(program->Id(), std::string(kCaption) + " - " + otherPath, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    ASSERT_TRUE(WaitForRows(kSampleRows, 20000));
    EXPECT_EQ(RowText(1, 1), "Repaired Windows");
    EXPECT_EQ(Containing("{current}"), 0) << "nothing asks a store file which Windows runs";
    EXPECT_GT(Containing("/store \"" + otherPath + "\" /ENUM /V"), 0) << "a positive control: the file was read";
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->WaitForExit(10000));

    const std::string missing = folder + "\\other\\NOSUCH";
    program = std::make_unique<ChildProcess>("keystave.exe /store \"" + missing + "\"");
    ASSERT_TRUE(program->Started());
    std::string told = AnswerBox();
    EXPECT_NE(told.find("The boot configuration data store could not be opened."), std::string::npos) << told;
    EXPECT_NE(told.find("The system cannot find the file specified."), std::string::npos) << told;
    main = WaitForWindow(program->Id(), kCaption, 20000);
    ASSERT_NE(main, nullptr);
    loaders = ::GetDlgItem(main, IDC_LOADER_LIST);
    ASSERT_TRUE(WaitForRows(kSampleRows, 20000));
    EXPECT_EQ(RowText(1, 1), "Windows 10 Pro") << "this PC's store instead";
    EXPECT_EQ(StoreLine(), "Store: this PC (system)");
}
