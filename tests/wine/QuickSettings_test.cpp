#include <gtest/gtest.h>

#include "tests/wine/ProgramFixture.h"

// The everyday switches, chosen by name in the Quick Settings window: each
// change is one command in the log and a value in the store.
namespace {

class QuickSettings : public ProgramTest {
protected:
    // Opens the window for loader row `row` from the main window's button.
    HWND Open(int row)
    {
        ClickAt(RemoteListView(loaders).ItemCentre(row));
        Press(main, IDC_QUICK_SETTINGS);
        return Window("Quick Settings");
    }
    // The commands that changed the store since the program read it.
    std::vector<std::string> Changes() const
    {
        std::vector<std::string> changes;
        for (const std::string& command : Sent())
            if (command.rfind("/set", 0) == 0 || command.rfind("/deletevalue", 0) == 0)
                changes.push_back(command);
        return changes;
    }
    // Chooses entry `index` of a switch and presses OK; waits for the read after it.
    void Choose(int row, int comboId, int index)
    {
        HWND window = Open(row);
        ASSERT_NE(window, nullptr);
        ChooseInCombo(window, comboId, index);
        ASSERT_EQ(Selected(window, comboId), index);
        int reads = Count("/ENUM /V");
        Press(window, IDOK);
        ASSERT_TRUE(Gone(window));
        ASSERT_TRUE(WaitUntil([&] { return Count("/ENUM /V") > reads; })) << "read again";
        EXPECT_TRUE(MainEnabled());
    }
    std::string Note(int row) { return RemoteListView(loaders).Text(row, 5); }
};

}  // namespace

TEST_F(QuickSettings, HyperVOffAndOnAgainIsOneCommandEach)
{
    Start(kSampleRows);
    HWND window = Open(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, IDC_QS_HYPERV), 0) << "not set: Windows decides";
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_QS_HYPERV_NOTE)), "Takes effect after the next restart.");
    EXPECT_NE(WindowText(::GetDlgItem(window, IDC_QS_ENTRY)).find(kWin10), std::string::npos);
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));

    Choose(1, IDC_QS_HYPERV, 2);  // Off
    EXPECT_EQ(Changes(), std::vector<std::string>{std::string("/set ") + kWin10 + " hypervisorlaunchtype \"Off\""});
    EXPECT_EQ(Stored(kWin10, "hypervisorlaunchtype"), std::vector<std::string>{"Off"});
    Choose(1, IDC_QS_HYPERV, 1);  // On
    EXPECT_EQ(Changes().size(), 2u);
    EXPECT_EQ(Stored(kWin10, "hypervisorlaunchtype"), std::vector<std::string>{"Auto"});
    window = Open(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, IDC_QS_HYPERV), 1) << "the window shows what the store holds";
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Changes().size(), 2u) << "OK without a change sends nothing";
}

TEST_F(QuickSettings, SafeModeIsMarkedAndOneClickStartsNormallyAgain)
{
    Start(kSampleRows);
    Choose(1, IDC_QS_SAFEMODE, 2);  // Networking
    EXPECT_EQ(Stored(kWin10, "safeboot"), std::vector<std::string>{"Network"});
    EXPECT_TRUE(WaitUntil([&] { return Note(1) == "Starts in safe mode"; })) << Note(1);
    ClickAt(RemoteListView(loaders).ItemCentre(1));
    HWND normally = ::GetDlgItem(main, IDC_LEAVE_SAFE_MODE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(normally) != FALSE; })) << "the way back is offered";
    // The sample's test-signing entry starts in safe mode too; Windows 11 does not.
    EXPECT_EQ(Note(2), "Starts in safe mode");
    ClickAt(RemoteListView(loaders).ItemCentre(0));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(normally); })) << "only for an entry in safe mode";

    ClickAt(RemoteListView(loaders).ItemCentre(1));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(normally) != FALSE; }));
    Press(main, IDC_LEAVE_SAFE_MODE);
    ASSERT_TRUE(WaitUntil([&] { return Stored(kWin10, "safeboot").empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return Note(1).empty(); })) << Note(1);
    EXPECT_EQ(Changes(), (std::vector<std::string>{std::string("/set ") + kWin10 + " safeboot \"Network\"",
                                                   std::string("/deletevalue ") + kWin10 + " safeboot"}));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(normally); }));
}

TEST_F(QuickSettings, TheLegacyMenuTimeoutAndDefaultAreOneCommandEach)
{
    Start(kSampleRows);
    Choose(1, IDC_QS_MENU, 2);  // Legacy (F8)
    EXPECT_EQ(Changes(), std::vector<std::string>{std::string("/set ") + kWin10 + " bootmenupolicy \"Legacy\""});
    EXPECT_EQ(Stored(kWin10, "bootmenupolicy"), std::vector<std::string>{"Legacy"});

    // The timeout, typed.
    HWND window = Open(1);
    ASSERT_NE(window, nullptr);
    ClickAt(WindowCentre(::GetDlgItem(window, IDC_QS_TIMEOUT)));
    PressKey(VK_END);
    PressKey(VK_BACK);
    PressKey(VK_BACK);
    Type("5");
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Changes().size() == 2; }));
    EXPECT_EQ(Changes()[1], "/set {9dea862c-5cdd-4e70-acc1-f32b344d4795} timeout \"5\"");
    const char* const kManager = "{9dea862c-5cdd-4e70-acc1-f32b344d4795}";
    EXPECT_TRUE(WaitUntil([&] { return Stored(kManager, "timeout") == std::vector<std::string>{"5"}; }));

    // The default, chosen among the entries (the second is Windows 10).
    EXPECT_TRUE(MainEnabled());
    window = Open(1);
    ASSERT_NE(window, nullptr);
    ChooseInCombo(window, IDC_QS_DEFAULT, 1);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitUntil([&] { return Changes().size() == 3; }));
    EXPECT_EQ(Changes()[2], std::string("/set ") + kManager + " default \"" + kWin10 + "\"");
    EXPECT_TRUE(WaitUntil([&] { return Stored(kManager, "default") == std::vector<std::string>{kWin10}; }));
    EXPECT_TRUE(WaitUntil([&] { return RemoteListView(loaders).Text(1, 2) == "TRUE"; })) << "the new default";
}

TEST_F(QuickSettings, UnderSecureBootTestSigningIsExplainedAndTheStoreIsUnchanged)
{
    AddStoreSetting("@secureboot = on");
    Start(kSampleRows);
    std::string before = StoreContent();
    HWND window = Open(1);
    ASSERT_NE(window, nullptr);
    ChooseInCombo(window, IDC_QS_TESTSIGNING, 1);  // On
    Press(window, IDOK);
    std::string told = AnswerBox();
    EXPECT_NE(told.find("The value is protected by Secure Boot policy and cannot be modified or deleted."),
              std::string::npos) << told;
    EXPECT_NE(told.find("Secure Boot is on. Turn it off in the PC's firmware settings to use test signing, then "
                        "try again."),
              std::string::npos) << told;
    ASSERT_TRUE(Gone(window));
    EXPECT_TRUE(MainEnabled());
    EXPECT_EQ(StoreContent(), before) << "nothing changed";
    EXPECT_EQ(Changes(), std::vector<std::string>{std::string("/set ") + kWin10 + " testsigning \"Yes\""});
}
