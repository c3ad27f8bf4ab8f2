#include <gtest/gtest.h>

#include "QuickEditFixture.h"
#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "quickedit/Read.h"
#include "storage/Crc.h"

using namespace lt;
using lt::test::Pad;
using lt::test::QuickEditTest;

namespace {

std::string bodyOf(const std::string& block) {
    size_t start = block.find("\r\n");
    size_t end = block.rfind("END SUB");
    return block.substr(start + 2, end - start - 2);
}

} // namespace

TEST_F(QuickEditTest, WorkedExampleComesOutByteForByte) {
    fourLines();
    m.CurrentMessage = 5;
    m.ClearScreen = "CLS";
    m.RelayMode = "ON";
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO\\f0 ";
    m.LineRtf[2] = "\\sb90\\sa90 \\f0 \\cf0 TEMP \\f3 \\cf4 ^^^^\\f0 ";
    SubMake(s);
    const std::string body =
        "\r\n// Caution! Manually editing will prevent Quick Edit from loading this message.\r\n\r\n" +
        Pad("    CLS", "// Clear entire screen upon starting this message") +
        Pad("    CALL RELAY(ON)", "// Turn relay on upon starting this message") +
        "LINE1:\r\n"
        "    CALL CURSOR(1,1)\r\n"
        "// Center line\r\n"
        "    PRINT\"       \";\r\n"
        "    PRINT\"HELLO\";\r\n" +
        Pad("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line") +
        "LINE2:\r\n"
        "    CALL CURSOR(2,1)\r\n"
        "    PRINT\"TEMP \";\r\n"
        "    PRINT VAR(3, 4);\r\n" +
        Pad("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    EXPECT_EQ(m.BlockText, "SUB 5(TASK=0)    // CRC value =" + Str(CalcCrc(body)) + "\r\n" + body + "END SUB\r\n");
    EXPECT_EQ(bodyOf(m.BlockText), body);
    // The comment starts in column 46 exactly.
    EXPECT_EQ(Pad("    CLS", "//").find("//"), 45u);
    EXPECT_EQ(ui.statuses.front(), "Assembling message  5");
    EXPECT_EQ(ui.statuses.back(), "");
    EXPECT_EQ(ui.busyDepth, 0);
    // The record is left as the person edited it.
    EXPECT_EQ(m.ClearScreen, "CLS");
    EXPECT_EQ(m.LineRtf[1], "\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO\\f0 ");
}

TEST_F(QuickEditTest, StatementFormsOfFieldsBlinkingEscapesAndStarts) {
    auto lineOf = [&](const std::string& rtf, const std::string& blink = "") {
        m.LineRtf[1] = rtf;
        m.LineBlink[1] = blink;
        SubMake(s);
        return m.LineScript[1];
    };
    const std::string erase = Pad("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    const std::string head = "LINE1:\r\n    CALL CURSOR(1,1)\r\n";
    EXPECT_EQ(lineOf("\\f3 \\cf4 ^^.^"), head + "    LET A=VAR(3)\r\n    PRINT USING(20,0);A;\r\n" + erase);
    EXPECT_EQ(lineOf("\\f35 \\cf4 ^^.^"), head + "    LET A=VAR(3)\r\n    PRINT USING(20,2);A;\r\n" + erase);
    EXPECT_EQ(lineOf("\\f35 \\cf4 ^^^^"), head + "    PRINT VAR(3,-4);\r\n" + erase);
    EXPECT_EQ(lineOf("\\f0 \\cf0 A\"B\\\\C\tD"), head + "    PRINT\"A\\\"B\\\\CD\";\r\n" + erase);
    EXPECT_EQ(lineOf("\\f0 \\cf0 AB\\f65 \\cf0 CD\\f19 \\cf4 ^^\\f0 \\cf0 E", "100,1"),
              head + "    PRINT\"AB\";\r\n    CALL BLINK(100,1)\r\n    PRINT\"CD\";\r\n    PRINT VAR(3, 2);\r\n"
                     "    CALL BLINK(-1)\r\n    PRINT\"E\";\r\n" + erase);
    EXPECT_EQ(lineOf("\\f65 \\cf0 X", "25,ON"), head + "    CALL BLINK(25,ON)\r\n    PRINT\"X\";\r\n    CALL BLINK(-1)\r\n" + erase);
    // An emptied padding run in front of a blinking run does not make it ordinary.
    EXPECT_EQ(lineOf("\\f0 \\cf0 \\f65 \\cf0 X", "25,ON"), lineOf("\\f65 \\cf0 X", "25,ON"));
    // Twenty characters: no erase statement; blanks alone are text.
    EXPECT_EQ(lineOf("\\f0 \\cf0 12345678901234567890"), head + "    PRINT\"12345678901234567890\";\r\n");
    EXPECT_EQ(lineOf("\\f0 \\cf0   "), head + "    PRINT\"  \";\r\n" + erase);
    EXPECT_EQ(lineOf("\\sb90\\sa90 \\f0 "), "");

    m.LineRtf[1] = "\\f0 \\cf0 X";
    m.StartOtherTask = "3,7";
    m.StartSameTask = "1,2,3,4,5";
    m.SendText = "HOST";
    m.LockBuffer = "ON";
    m.RelayMode = "OFF";
    m.LineFont[1] = "KATAKANA";
    SubMake(s);
    const std::string body = bodyOf(m.BlockText);
    EXPECT_EQ(body,
              "\r\n// Caution! Manually editing will prevent Quick Edit from loading this message.\r\n\r\n" +
                  Pad("    CALL START_SCRIPT(3)", "// Start message on different task ") +
                  Pad("    CALL START_SCRIPT(7)", "// Start message on different task ") +
                  Pad("    CALL OUTPUT_DEVICE(HOST)", "// Send current meaage to 7700 (Version 2 unit only) slave") +
                  Pad("    CALL LOCK_BUFFER(ON)",
                      "// Lock the current message-can't be interrupted until completely executed") +
                  Pad("    CALL RELAY(OFF)", "// Turn relay off upon starting this message") + head +
                  Pad("    CALL FONT_SET(KATAKANA)", "// Invoke specified font ") + "    PRINT\"X\";\r\n" + erase +
                  Pad("    CALL LOCK_BUFFER(OFF)", "// Unlock the current message") +
                  Pad("    CALL START_SCRIPT(1)", "// Start message on same task ") +
                  Pad("    CALL START_SCRIPT(2)", "// Start message on same task ") +
                  Pad("    CALL START_SCRIPT(3)", "// Start message on same task ") +
                  Pad("    CALL START_SCRIPT(4)", "// Start message on same task "));
    // A statement of 45 characters or more gets its comment without blanks.
    m.SendText = "";
    m.StartOtherTask = "123456789012345678901234";
    SubMake(s);
    EXPECT_NE(m.BlockText.find("    CALL START_SCRIPT(123456789012345678901234)// Start message on different task \r\n"),
              std::string::npos);
    m.SendText = "OUT \"x\" ";
    SubMake(s);
    EXPECT_NE(m.BlockText.find("// Send specified text in PRINT command below through serial port out\r\n"
                               "    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"OUT \"x\" \";\r\n"
                               "    CALL OUTPUT_DEVICE(DISPLAY)\r\n"),
              std::string::npos);
}

TEST_F(QuickEditTest, EmptyMessagesLockAloneAndScriptOnly) {
    m.LockBuffer = "ON";
    m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 ";
    m.BlockText = "old";
    SubMake(s);
    EXPECT_EQ(m.BlockText, "");
    // Lines past LineCount are ignored.
    m.LineRtf[3] = "\\f0 \\cf0 HIDDEN";
    SubMake(s);
    EXPECT_EQ(m.BlockText, "");
    m.ScriptOnly = true;
    m.ClearScreen = "CLS";
    m.BlockText = "typed by hand";
    ui.clear();
    SubMake(s);
    EXPECT_EQ(m.BlockText, "typed by hand");
    EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(QuickEditTest, RepeatingAndScrollingLinesGoLast) {
    fourLines();
    m.LineRtf[1] = "\\sb90\\sa90 \\qc \\f0 \\cf0 AB\\par\r\n\\ql \\f0 \\cf0 CD\\par\r\n\\f0 \\cf0 "
                   "12345678901234567890\\par\r\n\\qc \\f0 \\cf0 EF\\par\r\n";
    m.LineRepeat[1] = "0,2";
    m.WaitTime = "10";
    m.HorizontalScrollMode = true;
    m.LineRtf[2] = "\\f0 \\cf0 PLAIN";
    SubMake(s);
    const std::string erase = Pad("    CALL ERASE_TO_EOL(-1,-1)", "// Erase to the end of the line");
    const std::string wait = Pad("    CALL WAIT(10)", "// Pause program execution ");
    const std::string line1 = "LINE1:\r\n    CALL DROP_MARKER(0)\r\n"
                              "    CALL CURSOR(1,1)\r\n// Center block 1\r\n    PRINT\"         \";\r\n    PRINT\"AB\";\r\n" +
                              erase + wait +
                              "    CALL CURSOR(1,1)\r\n// Don't center block 2\r\n    PRINT\"CD\";\r\n" + erase + wait +
                              "    CALL CURSOR(1,1)\r\n// Don't center block 2\r\n    PRINT\"12345678901234567890\";\r\n" +
                              wait + "    CALL CURSOR(1,1)\r\n// Center block 4\r\n    PRINT\"         \";\r\n"
                                     "    PRINT\"EF\";\r\n" + erase + wait + "    CALL GOTO_MARKER(0,2)\r\n";
    EXPECT_EQ(m.LineScript[1], line1);
    // The repeating line's section is exchanged with the last line's.
    EXPECT_LT(m.BlockText.find("LINE2:"), m.BlockText.find("LINE1:"));
    EXPECT_EQ(m.BlockText.find("LINE4:"), std::string::npos);

    m.HorizontalScrollMode = false;
    m.VerticalScrollMode = true;
    SubMake(s);
    EXPECT_EQ(m.LineScript[1],
              "LINE1:\r\n    CALL DROP_MARKER(0)\r\n// Center block 1\r\n    PRINT\r\n    PRINT\"         \";\r\n"
              "    PRINT\"AB\";\r\n" + erase + wait + "// Don't center block 2\r\n    PRINT\r\n    PRINT\"CD\";\r\n" +
                  erase + wait + "    PRINT\r\n    PRINT\"12345678901234567890\";\r\n" + wait +
                  "// Center block 4\r\n    PRINT\r\n    PRINT\"         \";\r\n    PRINT\"EF\";\r\n" + erase + wait +
                  "    CALL GOTO_MARKER(0,2)\r\n");
    // Enter at the start of a centred block leaves an empty paragraph that carries the
    // alignment on to the block after it.
    m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 12345678901234567890\\par\r\n\\qc \\par\r\n\\f0 \\cf0 EF";
    SubMake(s);
    EXPECT_NE(m.LineScript[1].find("// Center block 2\r\n    PRINT\r\n    PRINT\"         \";\r\n    PRINT\"EF\";"),
              std::string::npos)
        << m.LineScript[1];
    m.VerticalScrollMode = false;
    SubMake(s);
    EXPECT_EQ(m.LineScript[1], "LINE1:\r\n");

    m.LineRepeat[1].clear();
    m.LineRtf[1] = "\\qc \\f0 \\cf0 SCROLLING";
    m.LineScroll[1] = "5,0";
    SubMake(s);
    EXPECT_EQ(m.LineScript[1], "LINE1:\r\n    CALL CURSOR(1,1)\r\n" + Pad("    CALL SCROLL(5,0)", "// Turn the scroll on") +
                                   "    PRINT\"SCROLLING\";\r\n    EOT\r\n");
    EXPECT_LT(m.BlockText.find("LINE2:"), m.BlockText.find("LINE1:"));
}
