#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "storage/PathUtil.h"
#include "toolchain/CompileRun.h"
#include "toolchain/ElapsedClock.h"
#include "toolchain/ProgramRun.h"
#include "toolchain/ToolContract.h"
#include "toolchain/ToolRun.h"
#include "toolchain/VersionCheck.h"

namespace lt::test {

using CompileRunTest = ToolFixture;
using ProgramRunTest = ToolFixture;

TEST_F(CompileRunTest, CompilesAndAssemblesWithExactListsAndCleansUp) {
    const std::string src = work() + "demo.v1.src";
    const std::string B = work() + "demo.v1";
    put(src, "script");
    runner.ticksPerRun = 12;
    runner.actions.push_back(writes({{B + ".log", std::string("lex ok\x07\r\n")}, {B + ".esc", "esc"}}));
    runner.actions.push_back(writes({{B + ".log", "bin ok\r\n"}, {B + ".bin", "image"}}));

    EXPECT_FALSE(CompileRun(ctx, src, src, &sink));
    ASSERT_EQ(runner.calls.size(), 2u);
    EXPECT_EQ(runner.calls[0].program + " " + runner.calls[1].program,
              tools() + "lexmill.exe " + tools() + "binmill.exe");
    EXPECT_EQ(runner.calls[0].arguments, (std::vector<std::string>{"@" + B + ".lst"}));
    EXPECT_EQ(runner.calls[0].listText, listText({src, B, "/error", B, "/include", tools(), "/log", B}));
    EXPECT_TRUE(runner.calls[0].keepResponsive);  // "&Close" must reach the window
    EXPECT_EQ(runner.calls[1].listText, listText({B, B, "/error", B, "/log", B}));
    EXPECT_EQ(sink.shown, "lex ok \r\nbin ok\r\n");
    // The clock runs across both tools and is shown only when the seconds change.
    EXPECT_EQ(sink.elapsed, (std::vector<std::string>{"00:00", "00:01", "00:02"}));
    EXPECT_TRUE(exists(B + ".bin") && !session.tools.busy && ui.boxes.empty());
    for (auto ext : {".esc", ".lst", ".log"}) EXPECT_FALSE(exists(B + ext)) << ext;

    session.settings.KeepEscFile = "yes";
    runner.actions = {writes({{B + ".log", "a"}, {B + ".esc", "esc"}}), writes({{B + ".log", "b"}})};
    EXPECT_FALSE(CompileRun(ctx, src, src, &sink));
    EXPECT_TRUE(exists(B + ".esc"));
}

TEST_F(CompileRunTest, ErrorsAndFailuresWithAndWithoutTheWindow) {
    const std::string src = work() + "x.src";
    const std::string B = work() + "x";
    // The compiler's error file ends the run before the assembler.
    runner.actions.push_back(writes({{B + ".log", "1 error"}, {B + ".err", "x.src 3: bad"}}));
    EXPECT_TRUE(CompileRun(ctx, src, src, &sink));
    EXPECT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(sink.shown, "1 error");
    EXPECT_TRUE(ui.boxes.empty() && !exists(B + ".lst") && exists(B + ".err"));

    // Without the window the same failure is told in a box naming B in full.
    runner.actions.push_back(writes({{B + ".log", "1 error"}}));
    EXPECT_TRUE(CompileRun(ctx, src, src, nullptr));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Syntax errors encountered during processing Send Message command. "
                                                   "Review file " + B + ".err"});
    std::filesystem::remove(B + ".err");

    // The assembler's error file.
    ui.clear();
    runner.actions = {writes({{B + ".log", "ok"}}), writes({{B + ".log", "bad"}, {B + ".err", "e"}})};
    EXPECT_TRUE(CompileRun(ctx, src, src, nullptr));
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Errors encountered during assembling."}));
    std::filesystem::remove(B + ".err");

    // Missing logs.
    ui.clear();
    runner.actions.push_back(writes({}));
    EXPECT_TRUE(CompileRun(ctx, src, src, &sink));
    EXPECT_EQ(ui.lastText(), "Can't read compile return status file x.log");
    EXPECT_FALSE(session.tools.busy);
    runner.actions = {writes({{B + ".log", "ok"}}), writes({})};
    EXPECT_TRUE(CompileRun(ctx, src, src, &sink));
    EXPECT_EQ(ui.lastText(), "Can't read assembly return status file x.log");

    // A list that cannot be created.
    EXPECT_TRUE(CompileRun(ctx, src, work() + "nodir/x.src", &sink));
    EXPECT_EQ(ui.lastText(), "Can't create argument list file x.lst");

    // A compiler that cannot be started is named and ends the run (the result window's
    // own test checks what it shows and what is left).
    runner.actions.push_back([](const ToolCall&) { return ProcessResult{false, 0, "No such file or directory"}; });
    size_t before = runner.calls.size();
    EXPECT_TRUE(CompileRun(ctx, src, src, &sink));
    EXPECT_EQ(runner.calls.size(), before + 1);
    EXPECT_EQ(ui.box(-1), std::make_tuple("Can't start the program " + tools() + "lexmill.exe (No such file or "
                                          "directory).", Buttons::Ok, Icon::Exclamation, Answer::Ok));
}

TEST_F(ProgramRunTest, VersionCheckThenProgramWithExactLists) {
    const std::string B = work() + "unit";
    session.index.CurrentFilePath = B + ".src";
    put(B + ".src", "#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n");
    session.settings.UnitType = "7780";
    session.settings.UnitPort = "2";
    const std::string list = listText({B, "/a", "0", "/b", "19200", "/c", "2", "/m", "80", "/log", B});
    runner.actions.push_back(writes({{B + ".log", "Version 4.12, build 7"}}));
    runner.actions.push_back(writes({{B + ".log", std::string("Programmed\x01")}}));
    runner.ticksPerRun = 11;
    ProgramRun(ctx, B + ".bin", sink);
    ASSERT_EQ(runner.calls.size(), 2u);
    EXPECT_EQ(runner.calls[0].program, tools() + "7700.exe");
    for (const char* step : {"v", "p"}) {
        const ToolCall& call = runner.calls[*step == 'p'];
        EXPECT_EQ(call.arguments, (std::vector<std::string>{step, "@" + B + ".lst"}));
        EXPECT_EQ(call.listText, list);
    }
    EXPECT_EQ(sink.shown, "Programmed ");
    EXPECT_TRUE(sink.labelVisible && ui.boxes.empty());
    // The clock is shown only while programming.
    EXPECT_EQ(sink.elapsed, (std::vector<std::string>{"00:00", "00:01"}));
    EXPECT_FALSE(session.tools.busy || exists(B + ".lst") || exists(B + ".log"));
}

TEST_F(ProgramRunTest, VersionQuestionsAndSkips) {
    const std::string B = work() + "unit";
    session.index.CurrentFilePath = B + ".src";
    put(B + ".src", "#pragma version 2\r\n");
    // No "Version" in the answer: programs at once.
    runner.actions = {writes({{B + ".log", "timeout"}}), writes({{B + ".log", "done"}})};
    ProgramRun(ctx, B + ".bin", sink);
    EXPECT_TRUE(runner.calls.size() == 2u && ui.boxes.empty());

    // A version 1 unit against a version 2 file and setting: the change-setting question;
    // OK closes the window without programming.
    runner.calls.clear();
    runner.actions.push_back(writes({{B + ".log", "Version 3.9"}}));
    ui.answers.push_back(Answer::Ok);
    ProgramRun(ctx, B + ".bin", sink);
    EXPECT_EQ(runner.calls.size(), 1u);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.box(0), std::make_tuple("This is a Version 1 7700 Series Display, firmware release 3.9. You have to "
                                         "change Version setting in Program Menu, save and recompile.",
                                         Buttons::OkCancel, Icon::None, Answer::Ok));
    EXPECT_TRUE(sink.closed == 1 && !session.tools.busy);

    // No "#pragma version": the save-and-recompile question; Cancel programs anyway.
    put(B + ".src", "SUB 1\r\n");
    again();
    runner.actions = {writes({{B + ".log", "Version 4.12, build 7"}}), writes({{B + ".log", "done"}})};
    ui.answers.push_back(Answer::Cancel);
    ProgramRun(ctx, B + ".bin", sink);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "This is a Version 2 7700 Series Display, firmware release 4.12. In order to program "
                              "with correct Display Version you have to save and recompile."}));
    EXPECT_TRUE(runner.calls.size() == 2u && sink.shown == "done");

    // An unnamed file skips the check.
    session.index.CurrentFilePath.clear();
    runner.calls.clear();
    runner.actions.push_back(writes({{B + ".log", "done"}}));
    ProgramRun(ctx, B + ".bin", sink);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].arguments[0], "p");

    // A missing log.
    ui.clear();
    runner.actions.push_back(writes({}));
    ProgramRun(ctx, B + ".bin", sink);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Can't read program return status file unit.log"}));
    EXPECT_FALSE(session.tools.busy);

    // Cancel while programming: the window closes when the tool ends.
    runner.ticksPerRun = 2;
    runner.onTick = [&](int) { session.tools.cancelRequest = true; };
    runner.actions.push_back(writes({{B + ".log", "done"}}));
    int closed = sink.closed;
    ProgramRun(ctx, B + ".bin", sink);
    EXPECT_TRUE(sink.closed == closed + 1 && !session.tools.busy);
}

// The edge cases of the tool contract that the compile, program and unit command runs
// do not reach: names with dots in the directory, raw logs, clock rounding, version
// answers and pragmas.
TEST(ToolContract, BaseNamesLogsClockStartFailuresVersionsAndPragmas) {
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

    auto v = ParseUnitVersion("Unit answered: Version 4.12, build 7\r\n");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->version + " " + v->release, "2 4.12");
    EXPECT_EQ(ParseUnitVersion("Version 3.9\r\nDone")->release, "3.9");
    EXPECT_EQ(ParseUnitVersion("Version ")->version, "1");
    EXPECT_FALSE(ParseUnitVersion("No answer from unit"));
    EXPECT_EQ(VersionQuestion(UnitVersion{"2", "4.12"}, "2", "2"), "");
    EXPECT_NE(VersionQuestion(UnitVersion{"1", "3.9"}, "3", "1"), "");

    tmp.write("a.src", "' header\r\n#pragma version  2 \r\n#pragma version 1\r\n");
    tmp.write("b.src", "no pragma\r\n");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("a.src")).value_or("-"), "2");
    EXPECT_EQ(ReadPragmaVersion(fs, tmp.file("b.src")).value_or("-"), "");
    EXPECT_FALSE(ReadPragmaVersion(fs, tmp.file("c.src")));
}

} // namespace lt::test
