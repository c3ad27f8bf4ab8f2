// The compiler as a library: the code each statement becomes, the rules that depend on
// the display type and the firmware version, and input meant to break it.
#include <gtest/gtest.h>

#include <random>

#include "ToolRun.h"
#include "common/UnitCode.h"
#include "lexmill/Compiler.h"

using namespace lt;
using lt::test::contains;

namespace {

lexmill::CompileResult compile(const std::string& source) {
    lexmill::CompileOptions options;
    options.includeDir = std::string(LT_SOURCE_DIR) + "/data";
    return lexmill::compileSource(source, "/tmp/sub.src", options);
}

std::string errors(const lexmill::CompileResult& r) { return r.diagnostics.errorFileText(); }

std::string block(const std::string& body, const std::string& head = "#include \"CTRLCODE.H\"\r\n") {
    return head + "SUB 1(TASK=2)\r\n" + body + "END SUB\r\n";
}

} // namespace

TEST(Compiler, StatementsCompileToTheirCode) {
    // Each line of the block and the listing of the code it becomes.
    const std::pair<const char*, const char*> lines[] = {
        {"LINE1:", ""},
        {"    CLS", "0000 CLS"},
        {"    CALL CURSOR(2,3)", "0001 CURSOR 2,3"},
        {R"(    PRINT"A#MB\"Q\\#\\";)", R"(0004 TEXT "A#MB"Q\#\")"},
        {R"(    PRINT "X" CR LF;)", R"(0013 TEXT "X#M#J")"},
        {R"(    PRINT "#1 ##")", "0018 TEXT \"#1 ##\"\n0025 NEWLINE"},
        {"    PRINT", "0026 NEWLINE"},
        {"    PRINT VAR(3, 4);", "0027 PRINTVAR 3,4"},
        {"    PRINT VAR(16,-3);", "0030 PRINTVAR 16,-3"},
        {"    LET A=VAR(3)", "0033 LOADA 3"},
        {"    PRINT USING(37,2);A;", "0035 PRINTA 37,2"},
        {"    CALL BLINK(25,ON)", "0038 BLINK 25"},
        {"    CALL BLINK(-1)", "0040 BLINK 0"},
        {"    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "0042 ERASE 255,255"},
        {"    CALL ERASE_TO_EOL(-1,5)", "0045 ERASE 255,5"},
        {"    CALL FONT_SET(CYRILLIC)", "0048 FONT 3"},
        {"    CALL SCROLL(25,0)", "0050 SCROLL 25,0"},
        {"    EOT", "0054 EOT"},
        {"    CALL DROP_MARKER(0)", "0055 MARKER 0"},
        {"    CALL WAIT(300)", "0057 WAIT 300"},
        {"    CALL GOTO_MARKER(0,3)", "0060 GOTO 0,3"},
        {"    CALL START_SCRIPT(1)", "0064 START 1"},
        {"    CALL OUTPUT_DEVICE(SERIAL)", "0067 DEVICE 1"},
        {"    CALL LOCK_BUFFER(ON)", "0069 LOCK 1"},
        {"    CALL RELAY(OFF)", "0071 RELAY 0"},
    };
    std::string body, listing;
    for (const auto& [line, code] : lines) {
        body += std::string(line) + "\r\n";
        listing += *code ? std::string(code) + "\n" : "";
    }
    const auto r = compile(block(body));
    ASSERT_EQ(errors(r), "");
    ASSERT_EQ(r.program.messages.size(), 1u);
    EXPECT_EQ(r.program.messages[0].task, 2);
    EXPECT_EQ(tools::disassemble(r.program.messages[0].code), listing + "0073 END\n");
    // The FS of "#" and two backslashes is the control code 28 itself.
    EXPECT_EQ(r.program.messages[0].code.substr(6, 8), std::string("A\rB\"Q\\\x1c", 7) + '\x01');
}

TEST(Compiler, DisplayTypeAndVersionGovernTheChecks) {
    // The syntax check's source names no display type: four rows are allowed, version 2.
    auto r = compile(block("    CALL CURSOR(4,1)\r\n    CALL OUTPUT_DEVICE(HOST)\r\n"));
    EXPECT_EQ(std::make_tuple(errors(r), r.displayStated, r.program.displayType, r.program.version),
              std::make_tuple("", false, 0, 2));

    r = compile(block("    CALL CURSOR(3,1)\r\n    CALL CURSOR(2,1)\r\n",
                      "#define Display_type (7740)\r\n#include \"CTRLCODE.H\"\r\n#pragma version 2\r\n"));
    EXPECT_EQ(errors(r), "SUB.SRC 5: cursor row 3 is outside 1..2\r\n");

    EXPECT_EQ(errors(compile(block("    CALL RELAY(ON)\r\n    PRINT CR;\r\n", " # include <ctrlcode.h>\r\n"))), "");
    r = compile(block("", "#include <NONE.H>\r\n#include NONE.H\r\n"));
    EXPECT_EQ(errors(r), "SUB.SRC 1: cannot open include file \"NONE.H\"\r\n"
                         "SUB.SRC 2: unexpected character \".\"\r\n");

    r = compile(block("    CALL OUTPUT_DEVICE(HOST)\r\n", "#pragma version 1\r\n"));
    EXPECT_EQ(errors(r), "SUB.SRC 3: OUTPUT_DEVICE(HOST) is for version 2 units only (#pragma version 1)\r\n");

    r = compile("#define Display_type (7780)\r\n#define Display_type 7740\r\n#pragma version 1\r\n"
                "#pragma version 2\r\n#pragma optimize\r\n");
    EXPECT_EQ(errors(r), "SUB.SRC 2: Display_type is already 7780 (line 1)\r\n"
                         "SUB.SRC 4: #pragma version is already 1 (line 3)\r\n");
    EXPECT_EQ(r.diagnostics.warningText(), "warning: SUB.SRC 5: unknown #pragma \"optimize\" ignored\r\n");
    EXPECT_EQ(r.program.displayType, 7780);
}

TEST(Compiler, HostileInputEndsInErrorsNotCrashes) {
    // Definitions that double at every step stop at a bound instead of filling memory.
    std::string bomb;
    for (int i = 0; i < 40; ++i)
        bomb += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M" + std::to_string(i + 1) + "\r\n";
    auto r = compile(bomb + block("    CALL WAIT(M0)\r\n", ""));
    EXPECT_TRUE(contains(errors(r), "expand to more than 10000 items"));

    std::string chain;
    for (int i = 0; i < 100000; ++i) chain += "#define C" + std::to_string(i) + " C" + std::to_string(i + 1) + "\r\n";
    r = compile(chain + block("    CALL WAIT(C0)\r\n", ""));
    EXPECT_TRUE(contains(errors(r).substr(0, 300),
                         "SUB.SRC 100002: the definitions used in this line refer to each other more than 64 deep"));

    // Deeply bracketed values end in an error, not in a stack overflow.
    std::string signs;
    for (int k = 0; k < 50000; ++k) signs += "-(";
    r = compile(block("    CALL WAIT(" + std::string(100000, '(') + ")\r\n    CALL WAIT(" + signs +
                      "1)\r\n    CALL WAIT(((5)))\r\n    CALL WAIT(-(-(7)))\r\n", ""));
    EXPECT_EQ(errors(r), "SUB.SRC 2: too many brackets in WAIT\r\nSUB.SRC 3: too many brackets in WAIT\r\n");

    // A name that stands for nothing makes an empty statement line.
    EXPECT_EQ(errors(compile("#define NOTHING\r\n" + block("    NOTHING\r\n    NOTHING NOTHING\r\n", ""))), "");

    // A header that includes itself.
    lexmill::CompileOptions options;
    options.findFile = [](const std::string&, const std::string& name) { return "/mem/" + name; };
    options.readFile = [](const std::string&, std::string& content) {
        content = "#include \"SELF.H\"\r\n";
        return true;
    };
    r = lexmill::compileSource("#include \"SELF.H\"\r\n", "a.src", options);
    EXPECT_TRUE(contains(errors(r), "SELF.H 1: includes nest too deep at \"SELF.H\""));

    // Random lines made of the language's own pieces.
    const char* pieces[] = {"SUB ", "END SUB", "PRINT", "\"", "\\", "#", "(", ")", ",", ";", ":", "=", "-",
                            "CALL ", "CURSOR", "VAR", "USING", "A", "1", "1023", "99999999999999", "TASK", "#define ",
                            "#include ", "\r\n", "\n", " ", "//", "EOT", "GOTO_MARKER", "LET ", "\x01", "\xff"};
    std::mt19937 random(7700);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int k = random() % 200; k > 0; --k) text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        r = compile(text);
        for (const auto& message : r.program.messages) {
            std::string problem;
            EXPECT_TRUE(tools::validateMessageCode(message.code, 4, problem)) << problem << "\n" << text;
        }
    }
}
