#include <gtest/gtest.h>

#include "tests/wine/ProgramFixture.h"

namespace {

// The program against a simulator that answers as a German or a Polish
// Windows does: translated headings, identifier label and success line
// (German), or English tool texts with a Polish success line.
class Languages : public ProgramTest {
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", nullptr);
    }
    void ChangeAndCloneIn(const char* language)
    {
        ::SetEnvironmentVariableA("KEYSTAVE_SIM_LANG", language);
        Start(kSampleRows);
        RemoteListView list(loaders);
        EXPECT_EQ(list.Text(0, 0), kWin11) << language;
        EXPECT_EQ(list.Text(1, 1), "Windows 10 Pro") << language;
        EXPECT_EQ(list.Text(0, 2), "TRUE") << language << ": the default is known";
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr) << "no message";

        HWND window = OpenLoaderProperties(0);
        ASSERT_NE(window, nullptr);
        HWND grid = ::GetDlgItem(window, IDC_LOADER_GRID);
        ChooseInCell(grid, "nx", 1);
        Press(window, IDOK);
        ASSERT_TRUE(Gone(window));
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command Output"), nullptr)
            << language << ": the translated success is a success";
        EXPECT_EQ(Stored(kWin11, "nx"), std::vector<std::string>{"OptOut"});

        HWND clone = FromLoaderMenu(1, 'C', "Clone Configuration");
        ASSERT_NE(clone, nullptr);
        Press(clone, IDOK);
        ASSERT_TRUE(Gone(clone));
        EXPECT_TRUE(WaitForRows(kSampleRows + 1)) << language;
        EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Command Output"), nullptr);
    }
};

}  // namespace

TEST_F(Languages, AGermanWindowsIsReadAndChanged)
{
    // German texts are ASCII but for a few letters: the US code pages of
    // this Wine read them.
    ChangeAndCloneIn("de-DE");
}

TEST_F(Languages, APolishWindowsIsReadAndChanged)
{
    // The Polish success line needs the Polish code pages (852 and 1250):
    // the test command runs this test again in a Polish locale.
    if (::GetACP() != 1250 || ::GetOEMCP() != 852)
        GTEST_SKIP() << "needs Wine in a Polish locale";
    ChangeAndCloneIn("pl-PL");
}
