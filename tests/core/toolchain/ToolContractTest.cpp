#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "storage/PathUtil.h"
#include "toolchain/ElapsedClock.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"
#include "toolchain/VersionCheck.h"

namespace lt::test {

TEST(ToolContract, CommandLinesBecomeProgramAndArguments) {
    auto lex = MakeToolCommand("/t/", kLexmill, "/p/a b.lst");
    EXPECT_EQ(lex.program, "/t/lexmill.exe");
    EXPECT_EQ(lex.arguments, (std::vector<std::string>{"@/p/a b.lst"}));
    auto call = MakeToolCommand("/t/", kUnitCallUp, "/p/SGXCALL.lst");
    EXPECT_EQ(call.program, "/t/7700.exe");
    EXPECT_EQ(call.arguments, (std::vector<std::string>{"c", "@/p/SGXCALL.lst"}));
    auto reboot = MakeToolCommand("/t/", kUnitReboot, "/p/SGXREBT.lst");
    EXPECT_EQ(reboot.program, "/t/7700.exe");
    EXPECT_EQ(reboot.arguments, (std::vector<std::string>{"@/p/SGXREBT.lst"}));
    for (auto [part, letter] : {std::pair{kUnitErase, "e"}, {kUnitSend, "m"}, {kUnitProgram, "p"},
                                {kUnitRead, "r"}, {kUnitVersion, "v"}})
        EXPECT_EQ(MakeToolCommand("/t/", part, "/l").arguments, (std::vector<std::string>{letter, "@/l"}));
}

TEST(ToolContract, ListsSwitchBlockLogsAndBaseNames) {
    EXPECT_EQ(ArgumentListText({"a", "b"}), "a\r\nb\r\n\r\n");
    EXPECT_EQ(ArgumentListText({}), "\r\n");
    Settings s;
    s.UnitAddress = "007";
    s.BaudRate = "9600";
    s.UnitPort = "3";
    EXPECT_EQ(UnitSwitchBlock(s, "/p/X"),
              (std::vector<std::string>{"/a", "007", "/b", "9600", "/c", "3", "/m", "40", "/log", "/p/X"}));
    s.UnitType = "7780";
    EXPECT_EQ(UnitSwitchBlock(s, "/p/X")[7], "80");
    EXPECT_EQ(BaseName("/a.b/x.src"), "/a.b/x");
    EXPECT_EQ(BaseName("/a.b/x"), "/a.b/x");

    TempDir tmp;
    PosixFileSystem fs;
    tmp.write("t.log", std::string("ok\r\n\x01\tA\x1f\x7f", 9));
    std::string text;
    ASSERT_TRUE(ReadToolLog(fs, tmp.file("t.log"), text));
    EXPECT_EQ(text, std::string("ok\r\n  A \x7f", 9));
    ASSERT_TRUE(ReadToolLog(fs, tmp.file("t.log"), text, true));
    EXPECT_EQ(text, std::string("ok\r\n\x01\tA\x1f\x7f", 9));
    EXPECT_FALSE(ReadToolLog(fs, tmp.file("none.log"), text));
    EXPECT_FALSE(HasMoreThanBlanks("  \r\n "));
    EXPECT_TRUE(HasMoreThanBlanks(" x "));
}

TEST(ToolContract, ElapsedClockShowsRoundedMinutesAndSecondsOnChange) {
    EXPECT_EQ(ElapsedText(0), "00:00");
    EXPECT_EQ(ElapsedText(59.4), "00:59");
    EXPECT_EQ(ElapsedText(59.5), "01:00");
    EXPECT_EQ(ElapsedText(3725), "62:05");
    double now = 10;
    ElapsedClock clock([&] { return now; });
    EXPECT_FALSE(clock.update());
    clock.start();
    EXPECT_EQ(clock.update().value_or("-"), "00:00");
    now = 10.3;
    EXPECT_FALSE(clock.update());
    now = 10.6;
    EXPECT_EQ(clock.update().value_or("-"), "00:01");
}

TEST(ToolContract, VersionDecisions) {
    auto v = ParseUnitVersion("Unit answered: Version 4.12, build 7\r\n");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->version, "2");
    EXPECT_EQ(v->release, "4.12");
    v = ParseUnitVersion("Version 3.9");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->version, "1");
    EXPECT_EQ(v->release, "3.9");
    EXPECT_EQ(ParseUnitVersion("Version 3.9\r\nDone")->release, "3.9");
    EXPECT_FALSE(ParseUnitVersion("No answer from unit"));
    EXPECT_EQ(ParseUnitVersion("Version ")->version, "1");

    UnitVersion two{"2", "4.12"};
    EXPECT_EQ(VersionQuestion(two, "2", "2"), "");
    EXPECT_EQ(VersionQuestion(two, "", "2"),
              "This is a Version 2 7700 Series Display, firmware release 4.12. In order to program with correct "
              "Display Version you have to save and recompile.");
    EXPECT_EQ(VersionQuestion(two, "1", "1"),
              "This is a Version 2 7700 Series Display, firmware release 4.12. You have to change Version setting "
              "in Program Menu, save and recompile.");
    EXPECT_NE(VersionQuestion(UnitVersion{"1", "3.9"}, "3", "1"), "");

    TempDir tmp;
    PosixFileSystem fs;
    tmp.write("a.src", "' header\r\n#pragma version  2 \r\n#pragma version 1\r\n");
    tmp.write("b.src", "no pragma\r\n");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("a.src")).value_or("-"), "2");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("b.src")).value_or("-"), "");
    EXPECT_FALSE(ReadPragmaVersion(fs, tmp.file("c.src")));
}

TEST(ToolContract, MissingToolIsNamed) {
    EXPECT_EQ(ToolStartFailedText("/t/lexmill.exe", "No such file or directory"),
              "Can't start the program /t/lexmill.exe (No such file or directory).");
    EXPECT_EQ(ToolStartFailedText("/t/x", ""), "Can't start the program /t/x.");
}

} // namespace lt::test
