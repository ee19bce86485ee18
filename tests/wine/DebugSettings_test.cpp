#include <gtest/gtest.h>

#include "framework/CPropertySheet.h"
#include "tests/wine/ProgramFixture.h"

namespace {

class DebugSettings : public ProgramTest {
protected:
    HWND Open()
    {
        // After a change the main window reads the store again: a click
        // before it is usable again would be lost.
        EXPECT_TRUE(MainEnabled());
        Press(main, IDC_MODIFY_DEBUG);
        return Window("Modify Debug Settings");
    }
    void Replace(HWND window, int editId, const std::string& text)
    {
        ClickAt(WindowCentre(::GetDlgItem(window, editId)));
        PressKey(VK_END);
        for (size_t i = WindowText(::GetDlgItem(window, editId)).size(); i > 0; --i)
            PressKey(VK_BACK);
        Type(text);
    }
    // The "/DBGSETTINGS ..." commands that change something (not the re-reads).
    std::vector<std::string> Changes() const
    {
        std::vector<std::string> changes;
        for (const std::string& command : Sent())
            if (command != "/DBGSETTINGS" && command != "/ENUM /V")
                changes.push_back(command);
        return changes;
    }
    const char* const kDebugger = "{4636856e-540f-4170-a130-a84776f4c654}";
    enum { kSerial = 0, kUsb = 1, k1394 = 2, kNet = 3, kLocal = 4 };
};

}  // namespace

TEST_F(DebugSettings, StoredSerialSettingsSendOnlyWhatChanged)
{
    UseDebuggerSettings("debugtype = Serial\ndebugport = 2\nbaudrate = 57600\n");
    Start(kSampleRows);
    HWND window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, IDC_CONNECT_TYPE), kSerial);
    EXPECT_EQ(Selected(window, IDC_FIRST_LIST), 1) << "port 2";
    EXPECT_EQ(Selected(window, IDC_BAUD_LIST), 7) << "57600";
    EXPECT_EQ(Selected(window, IDC_POLICY_LIST), 0) << "ACTIVE";
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_TRUE(Changes().empty()) << "unchanged: nothing sent";

    window = Open();
    ASSERT_NE(window, nullptr);
    ChooseInCombo(window, IDC_POLICY_LIST, 2);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    window = Open();
    ASSERT_NE(window, nullptr);
    Press(window, IDC_NOUMEX);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Changes(), (std::vector<std::string>{
                             "/DBGSETTINGS SERIAL DEBUGPORT:2 BAUDRATE:57600 /start DISABLE",
                             "/DBGSETTINGS SERIAL DEBUGPORT:2 BAUDRATE:57600 /noumex"}));
    EXPECT_EQ(Stored(kDebugger, "noumex"), std::vector<std::string>{"Yes"});

    // To 1394 and back: the stored port and rate come back; then channel 5.
    window = Open();
    ASSERT_NE(window, nullptr);
    ChooseInCombo(window, IDC_CONNECT_TYPE, k1394);
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_FIRST_LABEL)), "Channel:");
    EXPECT_EQ(::SendMessageA(::GetDlgItem(window, IDC_FIRST_LIST), CB_GETCOUNT, 0, 0), 64);
    EXPECT_EQ(Selected(window, IDC_FIRST_LIST), 0);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDC_BAUD_LIST)));
    ChooseInCombo(window, IDC_CONNECT_TYPE, kSerial);
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_FIRST_LABEL)), "Port:");
    EXPECT_EQ(Selected(window, IDC_FIRST_LIST), 1);
    EXPECT_EQ(Selected(window, IDC_BAUD_LIST), 7);
    ChooseInCombo(window, IDC_CONNECT_TYPE, k1394);
    ChooseInCombo(window, IDC_FIRST_LIST, 5);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Changes().back(), "/DBGSETTINGS 1394 CHANNEL:5");
    EXPECT_EQ(Stored(kDebugger, "debugtype"), std::vector<std::string>{"1394"});
    EXPECT_EQ(Stored(kDebugger, "channel"), std::vector<std::string>{"5"});
    EXPECT_EQ(Stored(kDebugger, "debugport"), std::vector<std::string>{"2"}) << "kept";
    RemoteListView grid(::GetDlgItem(main, IDC_DEBUGGER_GRID));
    EXPECT_TRUE(WaitUntil([&] { return grid.Text(0, 1) == "1394"; })) << "the main window read it again";
}

TEST_F(DebugSettings, UsbNeedsATargetNameAndNetworkDebuggingShowsItsKey)
{
    Start(kSampleRows);
    HWND window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, IDC_CONNECT_TYPE), kLocal);
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr)
        << "a stored Local setting is no unknown type";

    ChooseInCombo(window, IDC_CONNECT_TYPE, kUsb);
    Press(window, IDOK);
    EXPECT_EQ(AnswerBox(), "A Target Name must be specified.");
    EXPECT_TRUE(::IsWindow(window));

    ChooseInCombo(window, IDC_CONNECT_TYPE, kNet);
    Replace(window, IDC_HOST_IP, "192.168.1.2");
    Replace(window, IDC_NET_PORT, "80");
    Press(window, IDOK);
    EXPECT_EQ(AnswerBox(), "The port must be 5364 or a number from 49152 to 65535.");
    EXPECT_TRUE(Changes().empty()) << "nothing was sent";

    Replace(window, IDC_NET_PORT, "50000");
    Press(window, IDOK);
    HWND keyWindow = Window("Network Debugging Key");
    ASSERT_NE(keyWindow, nullptr) << "the made-up key is shown";
    std::string key = WindowText(::GetDlgItem(keyWindow, IDC_KEY_TEXT));
    Press(keyWindow, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Changes(), std::vector<std::string>{"/DBGSETTINGS NET HOSTIP:192.168.1.2 PORT:50000"});
    EXPECT_EQ(Stored(kDebugger, "debugtype"), std::vector<std::string>{"NET"});
    EXPECT_EQ(Stored(kDebugger, "hostip"), std::vector<std::string>{"192.168.1.2"});
    EXPECT_EQ(Stored(kDebugger, "key"), std::vector<std::string>{key});
    EXPECT_EQ(std::count(key.begin(), key.end(), '.'), 3);

    // Stored network settings open as they are; unchanged, OK sends nothing.
    window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Selected(window, IDC_CONNECT_TYPE), kNet);
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_NET_KEY)), key);
    size_t before = Changes().size();
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(Changes().size(), before);
}
