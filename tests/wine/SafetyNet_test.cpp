#include <gtest/gtest.h>

#include <algorithm>

#include "sim/CSimStore.h"
#include "tests/wine/ProgramFixture.h"

namespace {

class SafetyNet : public ProgramTest {
protected:
    HWND OpenWindowFromButton(int button, const char* caption)
    {
        Press(main, button);
        return Window(caption);
    }
};

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return "<clipboard busy>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace

TEST_F(SafetyNet, TheFirstChangeIsBackedUpOnceAndTheQuestionNamesTheEntry)
{
    Start(kSampleRows);
    RemoteListView list(loaders);
    // The list tells the default and the running entry apart by words.
    EXPECT_EQ(list.Text(0, 5), "Default, running now");
    EXPECT_EQ(list.Text(1, 5), "");
    std::string before = ReadFile(storePath);
    EXPECT_EQ(StatusLine(), "");

    // Step 1: an ordinary entry: named, no warning.
    HWND box = nullptr;
    std::string question = AskToDelete(1, box);
    EXPECT_EQ(question,
              std::string("Are you sure you want to delete this entry?\n\n\"Windows 10 Pro\"\n") + kWin10);
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForRows(kSampleRows - 1));

    // Exactly one export, before the deletion, into a file that holds the
    // store as it was; the status line names it.
    std::vector<std::string> sent = SentWithBackups();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0].rfind("/export \"" + appData + "\\Keystave\\Backups\\BCD-", 0), 0u) << sent[0];
    EXPECT_EQ(sent[1], std::string("/DELETE ") + kWin10 + " /cleanup");
    std::vector<std::string> backups = BackupFiles();
    ASSERT_EQ(backups.size(), 1u);
    std::string backupPath = appData + "\\Keystave\\Backups\\" + backups[0];
    EXPECT_EQ(ReadFile(backupPath), Rewritten(before));
    EXPECT_NE(StatusLine().find(backupPath), std::string::npos) << StatusLine();

    // Step 2: a second change makes no second backup.
    question = AskToDelete(1, box);
    EXPECT_NE(question.find("(test signing)"), std::string::npos) << question;
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForRows(kSampleRows - 2));
    EXPECT_EQ(Count("/export"), 1);
    EXPECT_EQ(BackupFiles().size(), 1u);
}

TEST_F(SafetyNet, TheDefaultAndRunningEntryIsWarnedForAndCancelIsTheDefaultAnswer)
{
    Start(kSampleRows);
    HWND box = nullptr;
    std::string question = AskToDelete(0, box);
    EXPECT_EQ(question.rfind(std::string("Are you sure you want to delete this entry?\n\n\"Windows 11\"\n") + kWin11, 0), 0u)
        << question;
    EXPECT_NE(question.find("This is the Windows that is running now."), std::string::npos) << question;
    EXPECT_NE(question.find("This is the default entry"), std::string::npos) << question;
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);  // the default button: Cancel
    ASSERT_TRUE(Gone(box));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(ListView_GetItemCount(loaders), kSampleRows);
    EXPECT_TRUE(SentWithBackups().empty()) << "no backup, no deletion";
}

TEST_F(SafetyNet, WhenNoBackupCanBeMadeNoMeansNothingIsSentAndTheHistorySaysSo)
{
    AddStoreSetting("@exportfails = yes");
    Start(kSampleRows);
    std::string before = ReadFile(storePath);
    HWND box = nullptr;
    AskToDelete(1, box);
    ASSERT_NE(box, nullptr);
    PressKey(VK_RETURN);
    ASSERT_TRUE(Gone(box));
    HWND warning = Window("Keystave");
    ASSERT_NE(warning, nullptr);
    std::string text = WindowText(::GetDlgItem(warning, 0xFFFF));
    EXPECT_NE(text.find("could not be backed up"), std::string::npos) << text;
    EXPECT_NE(text.find("The store export operation has failed."), std::string::npos) << text;
    PressKey(VK_RETURN);  // the default button: No
    ASSERT_TRUE(Gone(warning));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(Count("/export"), 1);
    EXPECT_EQ(Count("/DELETE"), 0) << "No sends nothing";
    EXPECT_EQ(ReadFile(storePath), before);
    EXPECT_EQ(ListView_GetItemCount(loaders), kSampleRows);

    // The history lists each command with its result.
    HWND history = OpenWindowFromButton(IDC_HISTORY, "Command History");
    ASSERT_NE(history, nullptr);
    RemoteListView rows(::GetDlgItem(history, IDC_HISTORY_LIST));
    // The four reads of start-up (the tools menu's entry read on its own),
    // the export that failed and the deletion that was not sent.
    ASSERT_EQ(rows.Count(), 6);
    EXPECT_EQ(rows.Text(0, 1), "bcdedit /ENUM /V");
    EXPECT_EQ(rows.Text(0, 2), "succeeded");
    std::vector<std::string> reads;
    for (int row = 1; row < 4; ++row)
        reads.push_back(rows.Text(row, 1));
    std::sort(reads.begin(), reads.end());
    EXPECT_EQ(reads, (std::vector<std::string>{"bcdedit /DBGSETTINGS", std::string("bcdedit /enum ") + kMemdiag + " /v",
                                               "bcdedit /enum {current} /v"}));
    EXPECT_EQ(rows.Text(4, 2), "failed");
    EXPECT_EQ(rows.Text(4, 3).rfind("The store export operation has failed.", 0), 0u) << rows.Text(4, 3);
    EXPECT_EQ(rows.Text(5, 1), std::string("bcdedit /DELETE ") + kWin10 + " /cleanup");
    EXPECT_EQ(rows.Text(5, 2), "refused before running");
    Press(history, IDCANCEL);
    EXPECT_TRUE(Gone(history));
}

TEST_F(SafetyNet, RestoringTheBackupGivesTheEarlierStoreBackAndTheScriptRedoesTheChange)
{
    Start(kSampleRows);
    std::string before = ReadFile(storePath);
    HWND box = nullptr;
    AskToDelete(1, box);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitForRows(kSampleRows - 1));
    ASSERT_NE(ReadFile(storePath), Rewritten(before));

    // Copy as Script: the change that succeeded, as a bcdedit line.
    HWND history = OpenWindowFromButton(IDC_HISTORY, "Command History");
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(RemoteListView(::GetDlgItem(history, IDC_HISTORY_LIST)).Count(),
              static_cast<int>(ReadCommandLog(logPath).size()))
        << "every command the tool ran";
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    Press(history, IDC_COPY_SCRIPT);
    ASSERT_TRUE(WaitUntil([&] { return ClipboardText().find("bcdedit") != std::string::npos; }));
    std::string script = ClipboardText();
    EXPECT_NE(script.find(std::string("\r\nbcdedit /DELETE ") + kWin10 + " /cleanup\r\nif errorlevel 1 exit /b 1\r\n"),
              std::string::npos)
        << script;
    EXPECT_EQ(script.find("/ENUM"), std::string::npos) << "reads are not redone";
    EXPECT_EQ(script.find("/export"), std::string::npos);
    // The same change for PowerShell, its identifier in single quotes.
    Press(history, IDC_COPY_POWERSHELL);
    ASSERT_TRUE(WaitUntil([&] { return ClipboardText().find("$LASTEXITCODE") != std::string::npos; }));
    std::string powerShell = ClipboardText();
    EXPECT_NE(powerShell.find(std::string("\r\nbcdedit.exe /DELETE '") + kWin10 +
                              "' /cleanup\r\nif ($LASTEXITCODE -ne 0) { exit 1 }\r\n"),
              std::string::npos)
        << powerShell;
    Press(history, IDCANCEL);
    ASSERT_TRUE(Gone(history));

    // Restore: the question names the backup's date and time.
    HWND backups = OpenWindowFromButton(IDC_BACKUPS, "Backups and Restore");
    ASSERT_NE(backups, nullptr);
    RemoteListView list(::GetDlgItem(backups, IDC_BACKUP_LIST));
    ASSERT_EQ(list.Count(), 1);
    std::string date = list.Text(0, 0), time = list.Text(0, 1);
    EXPECT_EQ(list.Text(0, 3), BackupFiles()[0]);
    Press(backups, IDC_RESTORE);
    HWND confirm = Window("Backups and Restore");
    ASSERT_NE(confirm, nullptr);
    ASSERT_NE(confirm, backups);
    std::string question = WindowText(::GetDlgItem(confirm, 0xFFFF));
    EXPECT_EQ(question.rfind("Restore the backup of " + date + " at " + time + "?", 0), 0u) << question;
    EXPECT_NE(question.find("replaced"), std::string::npos) << question;
    Press(confirm, IDYES);
    ASSERT_TRUE(Gone(backups));
    ASSERT_TRUE(WaitForRows(kSampleRows)) << "read again";
    EXPECT_EQ(ReadFile(storePath), Rewritten(before)) << "the earlier store, exactly";
    EXPECT_EQ(Count("/import \"" + appData + "\\Keystave\\Backups\\" + BackupFiles()[0] + "\""), 1);
    EXPECT_EQ(Count("/export"), 1) << "the restore needed no second backup";
    EXPECT_NE(StatusLine().find("restored from the backup of " + date + " at " + time), std::string::npos)
        << StatusLine();
}

TEST_F(SafetyNet, ASetTheStoreConfirmsButIgnoresIsReported)
{
    Start(kSampleRows);
    // A change that took effect: no warning (the negative control).
    HWND window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    ChooseInCell(::GetDlgItem(window, IDC_LOADER_GRID), "nx", 1);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Count("/DBGSETTINGS") == 2; })) << "the main window read again" << Count("/DBGSETTINGS");
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));
    EXPECT_EQ(Window("Keystave", 1000), nullptr);
    EXPECT_EQ(Stored(kWin11, "nx"), std::vector<std::string>{"OptOut"});

    // The store now says yes to "/set" and keeps nothing.
    AddStoreSetting("@ignoreset = yes");
    window = OpenLoaderProperties(0);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    ChooseInCell(grid, "nx", 1);
    std::string chosen = RemoteListView(grid).Text(GridRow(grid, "nx"), 1);
    ASSERT_NE(chosen, "OPTOUT");
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    std::string told = AnswerBox();
    EXPECT_NE(told.find(std::string("\"Windows 11\" ") + kWin11 + ", element nx:"), std::string::npos) << told;
    EXPECT_NE(told.find("sent: " + chosen + "\n"), std::string::npos) << told;
    EXPECT_NE(told.find("the store shows: OptOut"), std::string::npos) << told;
    EXPECT_EQ(Stored(kWin11, "nx"), std::vector<std::string>{"OptOut"});
}
