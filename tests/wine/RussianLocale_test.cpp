#include <gtest/gtest.h>

#include "tests/wine/ProgramFixture.h"

namespace {

// Runs only where Wine was started with a Russian locale (code pages 1251
// and 866): the test command has an entry of its own for it.
class RussianLocale : public ProgramTest {
protected:
    void SetUp() override
    {
        if (::GetACP() != 1251 || ::GetOEMCP() != 866)
            GTEST_SKIP() << "needs Wine in a Russian locale";
        ProgramTest::SetUp();
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", "ru-RU");
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", nullptr);
    }
};

// "Мой Windows" in UTF-8 (the store) and in code page 1251 (the program).
const char* const kUtf8 = "\xd0\x9c\xd0\xbe\xd0\xb9 Windows";
const char* const kAnsi = "\xcc\xee\xe9 Windows";

}  // namespace

TEST_F(RussianLocale, ACyrillicDescriptionRoundTripsThroughTheLoaderWindow)
{
    std::string store = ReadFile(storePath);
    size_t at = store.find("description = Windows 10 Pro");
    ASSERT_NE(at, std::string::npos);
    store.replace(at, std::string("description = Windows 10 Pro").size(), std::string("description = ") + kUtf8);
    ASSERT_TRUE(WriteStoreAtomically(storePath, store));
    Start(kSampleRows);
    RemoteListView list(loaders);
    EXPECT_EQ(list.Text(1, 1), kAnsi) << "read from code page 866, shown in 1251";

    HWND window = OpenLoaderProperties(1);
    ASSERT_NE(window, nullptr);
    HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
    EXPECT_EQ(RemoteListView(grid).Text(GridRow(grid, "description"), 1), kAnsi);
    int row = GridRow(grid, "description");
    ClickAt(ValueCell(grid, row));
    ASSERT_TRUE(WaitUntil([&] { return ::GetDlgItem(grid, 99) != nullptr; }));
    PressKey(VK_END);
    Type(" 2");
    PressKey(VK_RETURN);
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command Output"), nullptr);
    EXPECT_EQ(Stored(kWin10, "description"), std::vector<std::string>{std::string(kUtf8) + " 2"})
        << "the Cyrillic letters reached the store unchanged";
    EXPECT_TRUE(WaitUntil([&] { return list.Text(1, 1) == std::string(kAnsi) + " 2"; }));
}
