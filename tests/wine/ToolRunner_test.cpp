#include <gtest/gtest.h>

#include <cstdio>

#include "exec/SplitToolOutput.h"
#include "winexec/ToolRunner.h"
#include "tests/wine/WineTestSupport.h"

namespace {

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(ToolRunner, CapturesStandardOutputAndErrorInOrder)
{
    EXPECT_EQ(ToolRunner("toolprobe.exe", "order"), "out 1\r\nerr 1\r\nout 2\r\nerr 2\r\n");
}

TEST(ToolRunner, ReadsTheSimulatorsEnumerationAndErrors)
{
    UseFreshSampleStore(MakeTempFolder("ks-runner") + "\\store.txt");

    std::string output = ToolRunner("BCDEDIT.EXE", "/ENUM /V");
    ASSERT_NE(output.find("\r\nWindows Boot Manager\r\n--------------------\r\n"),
              std::string::npos);
    EXPECT_EQ(output.find("\r\r\n"), std::string::npos) << "text mode CR CR LF leaked";
    std::vector<std::string> lines = SplitToolOutput(output);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Windows Boot Manager");

    // The tool's failure words arrive on the same pipe, from standard error.
    std::string error = ToolRunner("BCDEDIT.EXE", "/enum {00000000-0000-0000-0000-000000000000}");
    EXPECT_EQ(error,
              "An error occurred while attempting to reference the specified entry.\r\n"
              "The system cannot find the file specified.\r\n");
}

TEST(ToolRunner, MissingToolGivesEmptyText)
{
    std::string output = ToolRunner("NO-SUCH-TOOL-7F3A.EXE", "/ENUM /V");
    EXPECT_TRUE(output.empty());
    EXPECT_TRUE(SplitToolOutput(output).empty());
}

TEST(ToolRunner, OutputFarLargerThanThePipeBufferArrivesWhole)
{
    const long lines = 60000;  // 6 MB
    std::string output = ToolRunner("toolprobe.exe", "big " + std::to_string(lines));
    ASSERT_EQ(output.size(), static_cast<size_t>(lines) * 100);
    std::vector<std::string> split = SplitToolOutput(output);
    ASSERT_EQ(split.size(), static_cast<size_t>(lines));
    EXPECT_EQ(split.front().substr(0, 8), "00000000");
    EXPECT_EQ(split.back().substr(0, 8), "00059999");
}

TEST(ToolRunner, RefusesACommandLineThatDoesNotFitTheBuffer)
{
    std::string folder = MakeTempFolder("ks-long");
    std::string marker = folder + "\\ran";
    // "toolprobe.exe" + blank + arguments + NUL = exactly 1024 bytes: runs.
    std::string fitting = "touch " + marker + " ";
    fitting += std::string(1024 - 13 - 1 - 1 - fitting.size(), 'a');
    ToolRunner("toolprobe.exe", fitting);
    EXPECT_TRUE(FileExists(marker));

    std::string marker2 = folder + "\\ran2";
    std::string tooLong = "touch " + marker2 + " ";
    tooLong += std::string(1024 - 13 - 1 - tooLong.size(), 'a');  // one byte too many
    EXPECT_EQ(ToolRunner("toolprobe.exe", tooLong), "");
    EXPECT_FALSE(FileExists(marker2)) << "an over-long command must not run at all";
}

TEST(ToolRunner, OutputIsTurnedFromTheConsoleCodePageIntoTheProgramsOwn)
{
    // This Wine runs with the US code pages: OEM 437, ANSI 1252.
    ASSERT_EQ(::GetOEMCP(), 437u);
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(ConsoleTextToAnsi("Gr\x81\xe1" "e Gr\x82tchen"), "Gr\xfc\xdf" "e Gr\xe9tchen")
        << "a German description keeps its letters";
    EXPECT_EQ(ConsoleTextToAnsi("plain ASCII\r\n"), "plain ASCII\r\n");
    EXPECT_EQ(ConsoleTextToAnsi("box \xcd\xcd"), "box ??") << "no ANSI form: a question mark, no look-alike";
    EXPECT_EQ(Utf8ToAnsi("L\xe2\x80\x99op\xc3\xa9ration"), "L\x92op\xe9ration");
}
