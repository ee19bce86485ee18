#include <gtest/gtest.h>

#include "tests/wine/WineTestSupport.h"

namespace {

const char* const kMainCaption = "Keystave - Boot Configuration Data Editor";

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { UseFreshSampleStore(MakeTempFolder("ks-single") + "\\store.txt"); }
};

void CloseMainWindow(HWND window, ChildProcess& process)
{
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(process.WaitForExit(10000));
}

}  // namespace

TEST_F(SingleInstance, SecondStartLeavesOneWindowAndActivatesTheFirst)
{
    ChildProcess first("keystave.exe");
    ASSERT_TRUE(first.Started());
    HWND window = WaitForWindow(first.Id(), kMainCaption, 20000);
    ASSERT_NE(window, nullptr);

    // Another program in front, so that coming to the front is observable.
    ChildProcess otherProgram("toolprobe.exe window 30");
    HWND other = WaitForWindow(otherProgram.Id(), "toolprobe window", 10000);
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
        if (::GetForegroundWindow() != other)
            ::SetForegroundWindow(other);
        return ::GetForegroundWindow() == other;
    }));

    ChildProcess second("keystave.exe");
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitForExit(20000)) << "the second instance must quit by itself";

    std::vector<HWND> windows = WindowsWithCaption(kMainCaption);
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0], window);
    // The activation the second instance asked for comes through the window
    // manager: it is waited for, not taken at once.
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; })) << ::GetForegroundWindow();

    CloseMainWindow(window, first);
}

TEST_F(SingleInstance, SecondStartRestoresAMinimisedFirstInstance)
{
    ChildProcess first("keystave.exe");
    HWND window = WaitForWindow(first.Id(), kMainCaption, 20000);
    ASSERT_NE(window, nullptr);
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(window));

    ChildProcess second("keystave.exe");
    ASSERT_TRUE(second.WaitForExit(20000));

    EXPECT_FALSE(::IsIconic(window));
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(WindowsWithCaption(kMainCaption).size(), 1u);
    CloseMainWindow(window, first);
}

TEST_F(SingleInstance, MainWindowAnswersTheHandshakeWithItsId)
{
    ChildProcess first("keystave.exe");
    HWND window = WaitForWindow(first.Id(), kMainCaption, 20000);
    ASSERT_NE(window, nullptr);
    UINT alive = ::RegisterWindowMessageA("KEYSTAVE_IS_ALIVE");
    DWORD_PTR reply = 0;
    ASSERT_NE(::SendMessageTimeoutA(window, alive, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 2000,
                                    &reply),
              0);
    EXPECT_EQ(reply, alive);
    CloseMainWindow(window, first);
}

TEST_F(SingleInstance, OnWindowsXpTheProgramSaysItNeedsVistaAndEnds)
{
    // Wine reports the Windows version configured for a program.
    const char* key = "Software\\Wine\\AppDefaults\\keystave.exe";
    HKEY handle;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                                nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(handle, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("winxp"), 6);
    ::RegCloseKey(handle);

    ChildProcess program("keystave.exe");
    HWND box = WaitForProcessWindow(program.Id(), "#32770", "Keystave", 20000);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(box, 0xFFFF)),
              "This application is for Vista and later operating systems.");
    EXPECT_TRUE(WindowsWithCaption(kMainCaption).empty()) << "no main window";
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(10000));
}
