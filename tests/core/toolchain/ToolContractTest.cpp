// The edge cases of the tool contract that the compile, program and unit command runs
// do not reach: names with dots in the directory, raw logs, clock rounding, version
// answers and pragmas.
#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "storage/PathUtil.h"
#include "toolchain/ElapsedClock.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"
#include "toolchain/VersionCheck.h"

namespace lt::test {

TEST(ToolContract, BaseNamesLogsClockAndStartFailures) {
    for (const char* name : {"/a.b/x.src", "/a.b/x"}) EXPECT_EQ(BaseName(name), "/a.b/x");

    TempDir tmp;
    NativeFileSystem fs;
    tmp.write("t.log", std::string("ok\r\n\x01\tA\x1f\x7f", 9));
    std::string text;
    ASSERT_TRUE(ReadToolLog(fs, tmp.file("t.log"), text));
    EXPECT_EQ(text, std::string("ok\r\n  A \x7f", 9));
    ASSERT_TRUE(ReadToolLog(fs, tmp.file("t.log"), text, true));
    EXPECT_EQ(text, std::string("ok\r\n\x01\tA\x1f\x7f", 9));
    EXPECT_FALSE(ReadToolLog(fs, tmp.file("none.log"), text));

    EXPECT_EQ(ElapsedText(0) + " " + ElapsedText(59.4) + " " + ElapsedText(59.5) + " " + ElapsedText(3725),
              "00:00 00:59 01:00 62:05");
    EXPECT_EQ(ToolStartFailedText("/t/x", ""), "Can't start the program /t/x.");
}

TEST(ToolContract, VersionDecisions) {
    auto v = ParseUnitVersion("Unit answered: Version 4.12, build 7\r\n");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->version + " " + v->release, "2 4.12");
    EXPECT_EQ(ParseUnitVersion("Version 3.9\r\nDone")->release, "3.9");
    EXPECT_EQ(ParseUnitVersion("Version ")->version, "1");
    EXPECT_FALSE(ParseUnitVersion("No answer from unit"));
    EXPECT_EQ(VersionQuestion(UnitVersion{"2", "4.12"}, "2", "2"), "");
    EXPECT_NE(VersionQuestion(UnitVersion{"1", "3.9"}, "3", "1"), "");

    TempDir tmp;
    NativeFileSystem fs;
    tmp.write("a.src", "' header\r\n#pragma version  2 \r\n#pragma version 1\r\n");
    tmp.write("b.src", "no pragma\r\n");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("a.src")).value_or("-"), "2");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("b.src")).value_or("-"), "");
    EXPECT_FALSE(ReadPragmaVersion(fs, tmp.file("c.src")));
}

} // namespace lt::test
