#include <gtest/gtest.h>

#include "ToolFixture.h"
#include "toolchain/FlashCommands.h"
#include "toolchain/UnitCommands.h"

namespace lt::test {

class FakeLabel : public FlashStatusLabel {
public:
    std::vector<std::string> texts;
    void setStatusLabel(const std::string& t) override { texts.push_back(t); }
};

class UnitCommandsTest : public ToolFixture {
protected:
    FakeLabel label;  // the flash window's status label and busy flag
    bool busy = false;
    // The step's last call, number `i`, ran the unit tool in `mode` ("": none) on <base>.lst,
    // which held the `leading` entries, then the unit settings and the log.
    void expectUnitCall(size_t i, const std::string& mode, const std::string& base,
                        std::vector<std::string> leading) {
        ASSERT_EQ(runner.calls.size(), i + 1);
        std::vector<std::string> arguments = {"@" + base + ".lst"};
        if (!mode.empty()) arguments.insert(arguments.begin(), mode);
        EXPECT_EQ(runner.calls[i].arguments, arguments);
        for (auto e : {"/a", "0", "/b", "19200", "/c", "1", "/m", "40", "/log"}) leading.push_back(e);
        leading.push_back(base);
        EXPECT_EQ(runner.calls[i].listText, listText(leading));
    }
};

TEST_F(UnitCommandsTest, CallUpSplitsTheAnswerThreeWays) {
    const std::string T = prog() + "SGXCALL";
    using Case = std::pair<std::string, std::vector<std::string>>;  // the answer, the leading list entries
    for (const auto& [answer, leading] :
         {Case{"  12 \"hello\" ", {"12", "hello"}}, Case{"12 hello world", {"12", "hello world"}},
          Case{"12", {"", "12"}}, Case{"12\"hi\"", {"12", "hi"}}}) {
        SCOPED_TRACE(answer);
        again();
        ui.inputs.push_back(answer);
        runner.actions.push_back(writes({{T + ".log", std::string("Message called\x0c")}}));
        CallUp(ctx);
        expectUnitCall(0, "c", T, leading);
        EXPECT_FALSE(runner.calls.at(0).keepResponsive);
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Message called "}));
        EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Processing command Call up message.", ""}));
        EXPECT_FALSE(exists(T + ".lst") || exists(T + ".log"));
    }
    EXPECT_EQ(ui.prompts.back(), "Enter message number and variable string if necessary. PLEASE separate message "
                                 "number and variable string with a space or put variable string in double quotes.");
    runner.calls.clear();
    ui.inputs = {std::string("   "), std::nullopt};
    CallUp(ctx);
    CallUp(ctx);
    EXPECT_TRUE(runner.calls.empty() && ui.busyDepth == 0);
}

TEST_F(UnitCommandsTest, RebootEraseAndTheirFailures) {
    runner.actions.push_back(writes({{prog() + "SGXREBT.log", "Rebooted"}}));
    Reboot(ctx);
    expectUnitCall(0, "", prog() + "SGXREBT", {"b"});
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Rebooted"}));
    EXPECT_EQ(ui.statuses.front(), "Processing command Reboot.");

    // Erase asks first, with Cancel as the default; Cancel starts nothing.
    again();
    ui.answers.push_back(Answer::Cancel);
    EraseFlash(ctx);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.box(0), std::make_tuple("If you select OK all messages stored in flash memory will be erased. NOTE: "
                                         "Your 7700 display unit must be in program mode.",
                                         Buttons::OkCancel, Icon::Exclamation, Answer::Cancel));
    EXPECT_TRUE(runner.calls.empty());
    ui.answers.push_back(Answer::Ok);
    runner.actions.push_back(writes({}));  // no log written
    EraseFlash(ctx);
    expectUnitCall(0, "e", prog() + "SGXERAS", {});
    EXPECT_EQ(ui.lastText() + ui.statuses.back(), "Can't read return status file SGXERAS.log");

    ui.clear();
    session.run.ProgramDir = work() + "missing/";
    Reboot(ctx);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Can't create argument list file SGXREBT.lst"}));
    EXPECT_TRUE(ui.statuses.back().empty() && ui.busyDepth == 0);
}

TEST_F(UnitCommandsTest, SendMessageCompilesTheCurrentMessageAlone) {
    const std::string T = prog() + "SGXSEND";
    session.index.CurrentFilePath = work() + "a.src";
    session.msg.CurrentMessage = 7;
    session.msg.BlockText = "SUB 7 ,0\r\nEND SUB";
    int built = 0, read = 0;
    ctx.hooks.buildBlock = [&] { ++built; };
    ctx.hooks.readBlock = [&] { ++read; };
    std::string source;
    runner.actions.push_back([&](const ToolCall&) {
        source = get(T + ".src");
        put(T + ".log", "compiled");
        return ProcessResult{true, 0, {}};
    });
    runner.actions.push_back(writes({{T + ".log", "assembled"}, {T + ".bin", "image"}}));
    runner.actions.push_back(writes({{T + ".log", "Sent"}}));
    ui.answers.push_back(Answer::Ok);
    SendMessage(ctx);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "Message 7 will be sent to the 7740 unit without programming the flash memory.", "Sent"}));
    EXPECT_EQ(ui.boxes[0].icon, Icon::Information);
    EXPECT_EQ(source, "#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\nSUB 7 ,0\r\nEND SUB\r\n");
    EXPECT_EQ(std::make_pair(built, read), std::make_pair(1, 1));
    expectUnitCall(2, "m", T, {T + ".bin", "7"});
    EXPECT_EQ(runner.calls[0].listText, listText({T + ".src", T, "/error", T, "/include", tools(), "/log", T}));
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Sending message 7 to the 7740 unit.", ""}));
    for (auto ext : {".src", ".lst", ".log", ".bin", ".esc"}) EXPECT_FALSE(exists(T + ext)) << ext;

    // A failed compile stops with the compiler's message and leaves its error file.
    again();
    runner.actions.push_back(writes({{T + ".log", "bad"}, {T + ".err", "SGXSEND.SRC 4: bad"}}));
    ui.answers.push_back(Answer::Ok);
    SendMessage(ctx);
    EXPECT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(ui.lastText(), "Syntax errors encountered during processing Send Message command. Review file " + T +
                                 ".err");
    EXPECT_TRUE(exists(T + ".err") && !exists(T + ".src") && ui.busyDepth == 0);

    // The temporary source cannot be created: the model is read back, nothing runs.
    session.run.ProgramDir = work() + "missing/";
    again();
    ui.answers.push_back(Answer::Ok);
    SendMessage(ctx);
    EXPECT_EQ(ui.box(-1), std::make_tuple("Can't create temporary source file  SGXSEND.SRC .", Buttons::Ok,
                                          Icon::Exclamation, Answer::Ok));
    EXPECT_TRUE(read == 3 && runner.calls.empty());
    session.run.ProgramDir = prog();

    // Cancel at the question.
    again();
    ui.answers.push_back(Answer::Cancel);
    SendMessage(ctx);
    EXPECT_TRUE(runner.calls.empty());
}

TEST_F(UnitCommandsTest, SendMessageFromABinaryFileAsksForTheNumber) {
    const std::string T = prog() + "SGXSEND";
    const std::string image = work() + "old.bin";
    put(image, "image");
    ctx.hooks.currentLinesHaveText = [] { return false; };
    ui.files.push_back(image);
    ui.inputs.push_back(std::string("12"));
    runner.actions.push_back(writes({{T + ".log", "Sent"}}));
    SendMessage(ctx);
    EXPECT_EQ(ui.dialog(0), std::make_tuple("Send Message from file", "7700 binary file (*.bin)|*.bin", "bin"));
    EXPECT_EQ(ui.prompts, (std::vector<std::string>{"Please enter message number"}));
    expectUnitCall(0, "m", T, {image, "12"});
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Sent"}));
    EXPECT_TRUE(exists(image));  // the person's own file stays

    // A relay setting counts as content: the current message is sent instead.
    session.msg.RelayMode = "ON";
    ui.clear();
    ui.answers = {Answer::Cancel};
    SendMessage(ctx);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "Message 0 will be sent to the 7740 unit without programming the flash memory."}));
    session.msg.RelayMode.clear();

    // A chosen file that does not exist, and an empty number, stop silently.
    again();
    ui.files = {work() + "gone.bin", image};
    ui.inputs = {std::string("")};
    SendMessage(ctx);
    SendMessage(ctx);
    EXPECT_TRUE(runner.calls.empty() && ui.boxes.empty());
}

TEST_F(UnitCommandsTest, ReadFlashAsksToReplaceAndShowsOnlyARealLog) {
    const std::string T = prog() + "SGXREAD";
    const std::string target = work() + "unit.bin";
    put(target, "old");
    ui.files = {target, work() + "new.image.bin"};
    ui.answers = {Answer::No};  // do not replace: the dialog comes again
    bool busyDuringRun = false;
    runner.actions.push_back([&](const ToolCall&) {
        busyDuringRun = busy;
        put(T + ".log", "  \r\n");
        put(work() + "new.image.bin", std::string(32768, 'x'));
        return ProcessResult{true, 0, {}};
    });
    ReadFlashIntoImage(ctx, label, busy);
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(ui.fileDialogs[0].title + "|" + ui.fileDialogs[0].initialDirectory, "Retrieve Binary File As|" + prog());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "The file " + target + " already exists on disk.\r\nDo you want to replace it.");
    EXPECT_EQ(ui.boxes[0].title, "File Save Message");
    expectUnitCall(0, "r", T, {work() + "new.image"});
    EXPECT_TRUE(busyDuringRun && !busy);
    EXPECT_EQ(label.texts, (std::vector<std::string>{"Processing comand Retrieve binary file from flash memory.",
                                                     "Reading Flash. Please wait until this process is finished.",
                                                     ""}));
    EXPECT_FALSE(exists(T + ".log"));

    ui.clear();
    ui.files = {work() + "b.bin"};
    runner.actions.push_back(writes({{T + ".log", "Flash corrupted"}}));
    ReadFlashIntoImage(ctx, label, busy);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Flash corrupted"}));
}

TEST_F(UnitCommandsTest, ProgramFlashCountsTheTimeAndReportsSuccessOrFailure) {
    const std::string image = work() + "unit.bin";
    ui.files.push_back(image);
    runner.ticksPerRun = 16;
    runner.actions.push_back(writes({{work() + "unit.log", "whatever the tool says"}}));
    ProgramFlashFromImage(ctx, label, busy);
    EXPECT_EQ(ui.fileDialogs[0].title, "Open Binary File");
    expectUnitCall(0, "p", work() + "unit", {work() + "unit"});
    EXPECT_EQ(label.texts, (std::vector<std::string>{"Programming file unit.bin", "00:00", "00:01", "00:02",
                                                     "Unit has been successfully programmed."}));
    EXPECT_TRUE(ui.boxes.empty() && !busy && !exists(work() + "unit.log"));

    ui.files.push_back(image);
    runner.actions.push_back(writes({}));
    ProgramFlashFromImage(ctx, label, busy);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"An error occurred while trying to program the unit."}));
    EXPECT_FALSE(busy);
    // A unit tool that cannot be started is named, then the failure told.
    ui.clear();
    ui.files.push_back(image);
    runner.actions.push_back([](const ToolCall&) { return ProcessResult{false, 0, "not found"}; });
    ProgramFlashFromImage(ctx, label, busy);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Can't start the program " + tools() + "7700.exe (not found).",
                                                    "An error occurred while trying to program the unit."}));
    EXPECT_TRUE(!exists(work() + "unit.lst") && ui.busyDepth == 0);
}

// "7700.exe" ending with a non-zero exit code: every command shows its log and the exit
// code as a failure, and Program Flash never claims success.
TEST_F(UnitCommandsTest, NonZeroExitOfTheUnitToolIsAFailureEverywhere) {
    const std::string noPort = "No such port /dev/ttyS0\r\n";
    const std::string failed = noPort + "The program 7700.exe ended with exit code 2.";
    runner.actions.push_back(writes({{prog() + "SGXREBT.log", noPort}}, 2));
    Reboot(ctx);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{failed});
    EXPECT_EQ(ui.boxes[0].icon, Icon::Exclamation);

    // Read Flash reports it even though it shows a blank log only on success.
    again();
    ui.files.push_back(work() + "read.bin");
    runner.actions.push_back(writes({{prog() + "SGXREAD.log", "  \r\n"}}, 3));
    ReadFlashIntoImage(ctx, label, busy);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"The program 7700.exe ended with exit code 3."}));

    again();
    label.texts.clear();
    ui.files.push_back(work() + "unit.bin");
    runner.actions.push_back(writes({{work() + "unit.log", noPort}}, 2));
    ProgramFlashFromImage(ctx, label, busy);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"An error occurred while trying to program the unit.\r\n" + failed}));
    EXPECT_EQ(label.texts, (std::vector<std::string>{"Programming file unit.bin", ""}));
    EXPECT_FALSE(busy || exists(work() + "unit.log"));
}

} // namespace lt::test
