#include <gtest/gtest.h>

#include "FaultyFileSystem.h"
#include "ToolFixture.h"
#include "toolchain/SyntaxCheck.h"
#include "toolchain/ToolRunState.h"

namespace lt::test {

using SyntaxCheckTest = ToolFixture;

TEST_F(SyntaxCheckTest, CleanScriptWritesSourceAndListAndTellsSo) {
    std::string sourceSeen;
    runner.actions.push_back([&](const ToolCall&) {
        sourceSeen = get(prog() + "sub.src");
        put(prog() + "sub.esc", "esc");
        return ProcessResult{true, 0, {}};
    });
    session.tools.errors.push_back(SyntaxError{"3", " old", 1});
    session.tools.errorCursor = 1;

    SyntaxCheck(ctx, "SUB 1\r\nEND SUB", 12);  // outside Script Edit: nothing
    EXPECT_TRUE(runner.calls.empty());
    session.run.ScriptEditMode = true;
    SyntaxCheck(ctx, "SUB 1\r\nEND SUB", 12);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].program, tools() + "lexmill.exe");
    EXPECT_EQ(runner.calls[0].arguments, (std::vector<std::string>{"@" + prog() + "sub.lst"}));
    EXPECT_EQ(runner.calls[0].listText,
              listText({prog() + "sub.src", "/error", prog() + "sub", "/include", tools()}));
    EXPECT_FALSE(runner.calls[0].keepResponsive);
    EXPECT_EQ(sourceSeen, "#include \"CTRLCODE.H\"\r\n\r\nSUB 1\r\nEND SUB\r\n");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"No syntax errors found in message 12"}));
    EXPECT_TRUE(session.tools.errors.empty() && session.tools.errorCursor == 0 && ui.busyDepth == 0);
    for (auto f : {"sub.src", "sub.lst", "sub.esc"}) EXPECT_FALSE(exists(prog() + f)) << f;
}

TEST_F(SyntaxCheckTest, ErrorsFillTheListAndSteppingSelectsScriptLines) {
    session.run.ScriptEditMode = true;
    runner.actions.push_back(writes({{prog() + "sub.err",
                                      "lexmill 1.0\r\n" + prog() + "sub.src 4: unknown statement PRNT\r\n"
                                      "C:\\X\\SUB.SRC(7): missing END SUB\r\nSUB.SRC no colon here\r\n"
                                      "2 error(s)\r\n"}}));
    SyntaxCheck(ctx, "SUB 1\r\n PRNT\r\n\r\n\r\n END", 5);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Errors encountered. Press Ctrl-Plus (forward) or Ctrl-Minus "
                                                    "(backward) to scroll through the errors line by line."}));
    std::vector<std::pair<std::string, int>> lines;  // sub.src puts two lines before the script
    for (const SyntaxError& e : session.tools.errors) lines.emplace_back(e.lineText, e.scriptLine);
    ASSERT_EQ(lines, (std::vector<std::pair<std::string, int>>{{"4", 2}, {"(7)", 5}, {"", 0}}));
    EXPECT_EQ(session.tools.errors[0].message, " unknown statement PRNT");
    EXPECT_TRUE(exists(prog() + "sub.err"));

    ToolRunState& st = session.tools;
    auto step = NextSyntaxError(st);
    EXPECT_EQ(std::make_tuple(step.hasError, step.scriptLine, step.status),
              std::make_tuple(true, 2, " unknown statement PRNT"));
    EXPECT_FALSE(PreviousSyntaxError(st).hasError);
    EXPECT_EQ(NextSyntaxError(st).scriptLine, 5);
    EXPECT_EQ(PreviousSyntaxError(st).scriptLine, 2);
    NextSyntaxError(st);
    NextSyntaxError(st);
    step = NextSyntaxError(st);
    EXPECT_EQ(std::make_tuple(step.hasError, step.status), std::make_tuple(false, "There are no more errors."));
    EXPECT_EQ(NextSyntaxError(st).scriptLine, 2);  // and round again

    const std::string script = "SUB 1\r\n PRNT\r\nEND";
    for (auto [line, text] : {std::pair<int, const char*>{2, " PRNT"}, {9, "END"}}) {
        auto span = LineSpan(script, line);
        EXPECT_EQ(script.substr(span.start, span.length), text);
    }
}

TEST_F(SyntaxCheckTest, FileFailures) {
    session.run.ScriptEditMode = true;
    session.run.ProgramDir = work() + "missing/";
    SyntaxCheck(ctx, "x", 1);
    EXPECT_EQ(ui.box(0), std::make_tuple("Can't create output sorce file (sub.src)", Buttons::Ok, Icon::Exclamation,
                                         Answer::Ok));
    EXPECT_TRUE(runner.calls.empty());

    // The list is the third file operation (open and write the source, open the list).
    FaultyFileSystem faulty;
    faulty.failAt = 3;
    Session s2(faulty, ui);
    s2.run.ScriptEditMode = true;
    s2.run.ProgramDir = prog();
    ToolContext ctx2(s2, runner);
    ui.clear();
    SyntaxCheck(ctx2, "x", 1);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Can't create list file (sub.lst)"}));
    EXPECT_FALSE(exists(prog() + "sub.src"));
    SyntaxCheck(ctx2, "", 1);  // an empty script is not checked
    EXPECT_TRUE(runner.calls.empty());

    // An error file that cannot be read (a directory in its place).
    session.run.ProgramDir = prog();
    std::filesystem::create_directories(prog() + "sub.err");
    ui.clear();
    SyntaxCheck(ctx, "x", 1);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Can't open error file (sub.err)."}));
    std::filesystem::remove(prog() + "sub.err");

    ui.clear();
    runner.actions.push_back(writes({{prog() + "sub.err", "nothing about the source\r\n"}}));
    SyntaxCheck(ctx, "x", 1);
    EXPECT_TRUE(ui.boxes.empty());  // an error file without entries shows nothing
    EXPECT_EQ(NextSyntaxError(session.tools).status,
              "There are no errors or Syntax check haven't been done on this message.");
}

} // namespace lt::test
