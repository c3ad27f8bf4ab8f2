#include <gtest/gtest.h>
#include <tuple>

#include <utime.h>

#include "FaultyFileSystem.h"
#include "storage/PathUtil.h"
#include "ToolFixture.h"
#include "toolchain/ResultWindowFlow.h"

namespace lt::test {

using ResultWindowFlowTest = ToolFixture;

TEST_F(ResultWindowFlowTest, ChoosingTheFileInItsThreeCases) {
    // Named file in compile mode: the save-changes question; cancelling closes.
    session.index.CurrentFilePath = work() + "a.src";
    session.tools.compileMode = true;
    int asked = 0;
    ctx.hooks.askSaveChanges = [&] { return ++asked > 0; };  // the person cancels
    ResultWindowFlow(ctx, sink).shown();
    EXPECT_TRUE(asked == 1 && sink.closed == 1 && runner.calls.empty());
    // Unnamed with content: the save box (Cancel default); OK runs Save As.
    session.index.CurrentFilePath.clear();
    ctx.hooks.hasContent = [] { return true; };
    ctx.hooks.saveAs = [&] { session.index.CurrentFilePath = work() + "saved.src"; };
    ui.answers.push_back(Answer::Ok);
    runner.actions.push_back(writes({{work() + "saved.log", "compiled"}}));
    runner.actions.push_back(writes({{work() + "saved.log", ", assembled"}}));
    ResultWindowFlow flow(ctx, sink);
    flow.shown();
    EXPECT_EQ(ui.box(0), std::make_tuple("You have to save the file in order to compile it.", Buttons::OkCancel,
                                         Icon::Information, Answer::Cancel));
    EXPECT_EQ(asked, 1);  // no save question after Save As
    EXPECT_EQ(flow.sourcePath(), work() + "saved.src");
    EXPECT_EQ(sink.shown + "|" + sink.buttonCaption, "compiled, assembled|&Program");
    EXPECT_TRUE(sink.buttonVisible && !sink.labelVisible && !sink.valueVisible);
    // Unnamed and empty: the open dialog of each mode; Cancel closes.
    session.index.CurrentFilePath.clear();
    ctx.hooks.hasContent = [] { return false; };
    ui.clear();
    for (bool compile : {true, false}) {
        session.tools.compileMode = compile;
        int closed = sink.closed;
        ResultWindowFlow(ctx, sink).shown();
        EXPECT_EQ(sink.closed, closed + 1);
    }
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(ui.dialog(0), std::make_tuple("Compile file", "Lumatext script file (*.src)|*.src", "src"));
    EXPECT_EQ(ui.dialog(1), std::make_tuple("Program file", "7700 binary file (*.bin)|*.bin", "bin"));

    // Program mode with a chosen image programs it without a version check.
    ui.files.push_back(work() + "img.bin");
    runner.calls.clear();
    runner.actions.push_back(writes({{work() + "img.log", "ok"}}));
    ResultWindowFlow(ctx, sink).shown();
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].arguments[0] + sink.shown, "pok");
}

TEST_F(ResultWindowFlowTest, UnwritableDirectoryMovesTheOutputToTheProgramDirectory) {
    // The probe file is the first file written; make it fail as on a read-only directory.
    FaultyFileSystem faulty;
    faulty.failAt = 1;
    Session s2(faulty, ui);
    s2.run.ProgramDir = prog();
    s2.settings.ToolsPath = tools();
    ToolContext ctx2(s2, runner);
    const std::string locked = work() + "locked/";
    s2.index.CurrentFilePath = locked + "s.src";
    s2.tools.compileMode = true;
    ctx2.hooks.askSaveChanges = [] { return false; };
    runner.actions = {writes({{prog() + "s.log", "ok"}}), writes({{prog() + "s.log", "ok"}})};
    ResultWindowFlow flow(ctx2, sink);
    flow.shown();
    EXPECT_EQ(ui.box(0), std::make_tuple("Can't write in specified directory " + locked + ", in order to program "
                                         "the unit binary file will be created in directory - " + prog(),
                                         Buttons::Ok, Icon::Exclamation, Answer::Ok));
    EXPECT_EQ(flow.outputName(), prog() + "s");
    ASSERT_EQ(runner.calls.size(), 2u);
    EXPECT_EQ(runner.calls[0].listText, listText({locked + "s.src", prog() + "s", "/error", prog() + "s",
                                                   "/include", tools(), "/log", prog() + "s"}));
    EXPECT_FALSE(flow.errors());
}

TEST_F(ResultWindowFlowTest, ViewErrorsUsesTheEditorOrShowsTheText) {
    session.index.CurrentFilePath = work() + "bad.src";
    session.tools.compileMode = true;
    ctx.hooks.askSaveChanges = [] { return false; };
    put(work() + "bad.src", "#define Display_type (7740)\r\n\r\nSUB 4(TASK=0)\r\nLINE1:\r\nEND SUB\r\n\r\n"
                            "sub 12(TASK=1)\r\n  X\r\n");
    const std::string errors = "BAD.SRC 1: header\r\nbad.src 4: oops\r\nOTHER.SRC 4: elsewhere\r\n"
                               "BAD.SRC 6: between blocks\r\nBAD.SRC 8: last\r\nBAD.SRC 9: beyond the end\r\n";
    runner.actions.push_back(writes({{work() + "bad.log", "1 error"}, {work() + "bad.err", errors}}));
    std::pair<int, int> shownLine{-1, -1};
    ctx.hooks.showScriptLine = [&](int message, int line) { shownLine = {message, line}; };
    ResultWindowFlow flow(ctx, sink);
    flow.shown();
    ASSERT_TRUE(flow.errors());
    EXPECT_EQ(sink.buttonCaption, "&View Errors");

    // No editor: the errors inside the program, without a word of advice; the lines of the
    // open script inside a block are links to their message and block line.
    flow.programButton();
    EXPECT_TRUE(ui.boxes.empty() && sink.fileText == errors);
    std::vector<std::tuple<int, int, int>> links;
    for (const ErrorLink& l : sink.fileLinks) links.emplace_back(l.errorLine, l.message, l.blockLine);
    EXPECT_EQ(links, (std::vector<std::tuple<int, int, int>>{{1, 4, 2}, {4, 12, 2}}));
    EXPECT_EQ(shownLine.first, -1);
    // Activating a link closes the result window and shows the line.
    sink.activate = sink.fileLinks[1];
    flow.programButton();
    EXPECT_EQ(sink.closed, 1);
    EXPECT_EQ(shownLine, std::make_pair(12, 2));
    sink.activate.reset();

    // An existing editor is started on the error file, without taking input meanwhile.
    put(tools() + "editor", "");
    session.settings.EditorPath = tools() + "editor";
    again();
    flow.programButton();
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].program, tools() + "editor");
    EXPECT_EQ(runner.calls[0].arguments, (std::vector<std::string>{work() + "bad.err"}));
    EXPECT_FALSE(runner.calls[0].keepResponsive || !ui.boxes.empty());
}

TEST_F(ResultWindowFlowTest, ProgramEntryEnableRule) {
    EXPECT_TRUE(ProgramCommandEnabled(session, false));
    EXPECT_FALSE(ProgramCommandEnabled(session, true));
    session.index.CurrentFilePath = work() + "a.b.src";
    EXPECT_FALSE(ProgramCommandEnabled(session, false));
    put(work() + "a.b.bin", "x");
    EXPECT_TRUE(ProgramCommandEnabled(session, true));
}

// "&View Errors" only when an error file is there to view: not after a compiler that
// could not be started, nor after one that ended badly without writing one.
TEST_F(ResultWindowFlowTest, FailedCompilesOfferNoErrorFileThatIsNotThere) {
    session.index.CurrentFilePath = work() + "a.src";
    session.tools.compileMode = true;
    ctx.hooks.askSaveChanges = [] { return false; };
    runner.actions.push_back([](const ToolCall&) { return ProcessResult{false, 0, "No such file or directory"}; });
    ResultWindowFlow flow(ctx, sink);
    flow.shown();
    EXPECT_TRUE(flow.errors() && !sink.buttonVisible);
    EXPECT_EQ(sink.shown, "Can't start the program " + tools() + "lexmill.exe (No such file or directory).");

    runner.actions.push_back(writes({}, 2));
    ResultWindowFlow again(ctx, sink);
    again.shown();
    EXPECT_TRUE(again.errors() && !sink.buttonVisible);
    EXPECT_EQ(sink.shown, "The program lexmill.exe ended with exit code 2.");
    EXPECT_TRUE(runner.calls.size() == 2u && !session.tools.busy); // binmill is not run
}

// "&Program..." with an image older than its script: Cancel closes, No programs the old
// image, Yes compiles (after the save question) and then programs.
TEST_F(ResultWindowFlowTest, StaleImageAsksToCompileFirst) {
    session.index.CurrentFilePath = work() + "a.src";
    session.tools.compileMode = false;
    int asked = 0;
    ctx.hooks.askSaveChanges = [&] { return ++asked < 0; };  // the person saves
    put(work() + "a.src", "#pragma version 2\r\n");
    put(work() + "a.bin", "image");
    utimbuf old{1000000000, 1000000000};
    ::utime((work() + "a.bin").c_str(), &old);
    const std::string question = "The binary image a.bin is older than its script file a.src.\r\nDo you want to "
                                 "compile the script first? No programs the older image.";
    std::vector<std::vector<std::string>> modes;
    for (Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
        again();
        ui.answers = {answer};
        for (int i = 0; i < 4; ++i) runner.actions.push_back(writes({{work() + "a.log", "ok"}}));
        ResultWindowFlow flow(ctx, sink);
        flow.shown();
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(std::tie(ui.boxes[0].text, ui.boxes[0].buttons), std::make_tuple(question, Buttons::YesNoCancel));
        std::vector<std::string> called;
        for (const ToolCall& call : runner.calls) called.push_back(FileNamePart(call.program) + " " + call.arguments[0]);
        modes.push_back(called);
        runner.actions.clear();
    }
    EXPECT_TRUE(sink.closed == 1 && asked == 1);
    EXPECT_EQ(modes, (std::vector<std::vector<std::string>>{{},
                                                            {"7700.exe v", "7700.exe p"},
                                                            {"lexmill.exe @" + work() + "a.lst",
                                                             "binmill.exe @" + work() + "a.lst", "7700.exe v",
                                                             "7700.exe p"}}));
}

} // namespace lt::test
