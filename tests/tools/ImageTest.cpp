// The escape file, the flash image and binmill.exe run as the editor's compile run runs it.
#include <gtest/gtest.h>

#include "ToolRun.h"
#include "common/EscapeFile.h"
#include "common/FlashImage.h"

using namespace lt;
using namespace lt::test;

namespace {

std::string messageCode(int fill) {
    return Code().op2(tools::Op::Cursor, 1, 1).text(std::string(static_cast<size_t>(fill), 'X'))
        .op(tools::Op::End).w.take();
}

tools::EscapeProgram sampleProgram() {
    tools::EscapeProgram p;
    p.displayType = 7740;
    p.version = 1;
    p.messages = {{3, 1, messageCode(5)}, {1023, 3, messageCode(100)}};
    return p;
}

std::string problemsOf(const std::string& text) {
    tools::EscapeProgram p;
    std::vector<tools::EscapeProblem> problems;
    tools::readEscapeFile(text, p, problems);
    std::string all;
    for (const auto& problem : problems) all += std::to_string(problem.line) + ": " + problem.message + "\n";
    return all;
}

} // namespace

TEST(EscapeFile, RoundTripsAndRejectsDamage) {
    const std::string text = tools::writeEscapeFile(sampleProgram());
    EXPECT_EQ(text.substr(0, 85), "LEXMILL ESCAPE FILE 1\r\nDISPLAY 7740\r\nVERSION 1\r\nMESSAGE 3 TASK 1 SIZE 11\r\n"
                                  "CODE 040101");
    tools::EscapeProgram back;
    std::vector<tools::EscapeProblem> problems;
    ASSERT_TRUE(tools::readEscapeFile(text, back, problems));
    ASSERT_EQ(back.messages.size(), 2u);
    EXPECT_EQ(std::make_tuple(back.messages[1].code, back.messages[1].task, back.displayType),
              std::make_tuple(messageCode(100), 3, 7740));

    EXPECT_EQ(problemsOf(text.substr(0, text.size() - 7)), "0: the file is cut short: END is missing\n");
    auto damaged = [&text](const std::string& from, const std::string& to) {
        return problemsOf(std::string(text).replace(text.find(from), from.size(), to));
    };
    EXPECT_EQ(damaged("CODE 04", "CODE 7F"), "4: message 3: unknown operation 127 at byte 0\n");
    EXPECT_EQ(damaged("SIZE 11", "SIZE 12"), "4: message 3 holds 11 bytes of code instead of 12\n");
    EXPECT_EQ(damaged("CODE 0401010", "CODE 0403010"), "4: message 3: CURSOR at byte 0: row 3 is out of range\n");
    EXPECT_EQ(damaged("SIZE 11", "SIZE 999999").substr(0, 70),
              "4: message 3 holds 999999 bytes of code, one message may hold 2048\n5: ");
    EXPECT_EQ(problemsOf("hello"), "1: not an escape file (it must begin with \"LEXMILL ESCAPE FILE 1\")\n");
}

TEST(FlashImage, LayoutCarriesEverythingTheUnitNeeds) {
    std::string image, problem;
    ASSERT_TRUE(tools::buildFlashImage(sampleProgram(), image, problem)) << problem;
    ASSERT_EQ(image.size(), 32768u);
    EXPECT_EQ(image.substr(0, 10), std::string("L77F\x01\x01\x3c\x1e\x02\x14", 10));
    // Directory entry of message 3: code at 0x1020, 11 bytes, task 1 in the top bits.
    EXPECT_EQ(image.substr(0x20 + 3 * 4, 4), std::string("\x20\x10\x0b\x40", 4));
    EXPECT_EQ(image.substr(0x20 + 1023 * 4, 4), std::string("\x2b\x10\x6a\xc0", 4));
    EXPECT_EQ(image.substr(0x20, 4), std::string(4, '\0'));
    EXPECT_EQ(static_cast<unsigned char>(image[0x1020 + 11 + 106]), 0xFF);

    tools::FlashImage flash;
    ASSERT_TRUE(flash.open(image, problem)) << problem;
    EXPECT_EQ(std::make_tuple(flash.version(), flash.displayType(), flash.rows(), flash.messageCount()),
              std::make_tuple(1, 7740, 2, 2));
    EXPECT_EQ(std::make_tuple(flash.task(1023), flash.code(3), flash.hasMessage(4)),
              std::make_tuple(3, messageCode(5), false));

    auto refusal = [&](const std::string& bytes) { return flash.open(bytes, problem) ? "opened" : problem; };
    std::string damaged = image;
    damaged[0x1020 + 4] = 'Y';
    EXPECT_EQ(refusal(damaged), "the image's CRC does not match its contents");
    EXPECT_EQ(refusal(std::string(32768, '\xff')), "the image is blank or not a 7700 flash image");
}

TEST(Binmill, CompileRunAsTheEditorRunsIt) {
    TempDir dir;
    const std::string b = dir.file("sign");
    dir.write("sign.src", "#define Display_type (7780)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n\r\n"
                          "SUB 7(TASK=2)    // CRC value = 9\r\nLINE1:\r\n    CALL CURSOR(4,1)\r\n"
                          "    PRINT\"OPEN\";\r\nEND SUB\r\n\r\n");
    auto binmill = [&] { return runTool(dir, "binmill.exe", "sign.lst", {b, b, "/error", b, "/log", b}); };
    ASSERT_EQ(runTool(dir, "lexmill.exe", "sign.lst",
                      {dir.file("sign.src"), b, "/error", b, "/include", binDir(), "/log", b}), 0);
    dir.write("sign.err", "stale");
    ASSERT_EQ(binmill(), 0);
    EXPECT_FALSE(dir.has("sign.err"));
    EXPECT_EQ(dir.read("sign.log"), "binmill.exe 1.0 - Lumatext 7700 flash assembler\r\n"
                                    "Escape file: " + b + ".esc\r\n"
                                    "Display type: 7780, firmware version 2\r\n"
                                    "Messages: 1\r\n"
                                    "Code bytes: 10 of 28640 available\r\n"
                                    "Image file: sign.bin, 32768 bytes\r\n"
                                    "Errors: 0\r\n");
    const std::string image = dir.read("sign.bin");
    tools::FlashImage flash;
    std::string problem;
    ASSERT_TRUE(flash.open(image, problem)) << problem;
    EXPECT_EQ(flash.task(7), 2);
    EXPECT_EQ(tools::disassemble(flash.code(7)), "0000 CURSOR 4,1\n0003 TEXT \"OPEN\"\n0009 END\n");

    // Too much code: an error naming the counts, and no image left behind.
    tools::EscapeProgram big;
    for (int n = 0; n < 1024; ++n) big.messages.push_back({n, 0, messageCode(34)});
    dir.write("sign.esc", tools::writeEscapeFile(big));
    EXPECT_EQ(binmill(), 1);
    EXPECT_EQ(dir.read("sign.err"), "SIGN.ESC: Flash memory overflow: the messages need 40960 bytes of code, the unit "
                                    "holds 28640 bytes (12320 bytes too many)\r\n");
    EXPECT_FALSE(dir.has("sign.bin"));

    dir.write("sign.esc", "LEXMILL ESCAPE FILE 1\r\nDISPLAY 7780\r\nVERSION 2\r\nMESSAGE 1 TASK 0 SIZE 1\r\nCODE 0G\r\n");
    EXPECT_EQ(binmill(), 1);
    EXPECT_EQ(dir.read("sign.err"), "SIGN.ESC 5: bad hex digits in CODE line\r\n"
                                    "SIGN.ESC 4: message 1 holds 0 bytes of code instead of 1\r\n");

    EXPECT_EQ(runTool(dir, "binmill.exe", "sign.lst", {dir.file("none"), b, "/error", b}), 2);
    EXPECT_EQ(dir.read("sign.err"), "BINMILL: cannot open escape file none.esc\r\n");
}
