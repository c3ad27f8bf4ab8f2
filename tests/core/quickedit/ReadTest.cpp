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

// A block with a correct CRC around the given body lines.
std::string Block(int n, const std::string& task, const std::string& body) {
    std::string full = "\r\n" + body;
    return "SUB " + std::to_string(n) + "(TASK=" + task + ")    // CRC value =" + Str(CalcCrc(full)) + "\r\n" + full +
           "END SUB\r\n";
}

} // namespace

TEST_F(QuickEditTest, CrcCheckTasksAndHandEditedBlocks) {
    m.CurrentMessage = 9;
    m.BlockText = Block(9, "2", "LINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"HI\";\r\n");
    ReadFields(s);
    EXPECT_EQ(std::make_tuple(m.ScriptOnly, m.MessageTask[9], m.LineRtf[1], ui.busyDepth),
              std::make_tuple(false, 2, "\\sb90\\sa90 \\f0 \\cf0 HI", 0));
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Performing CRC check on message  9", "", "Reading message  9", ""}));
    for (const char* task : {"4", "-1"}) {
        m.BlockText = Block(9, task, "LINE1:\r\n");
        CheckCrc(s);
        EXPECT_EQ(m.MessageTask[9], 0);
    }
    // A changed body no longer matches its CRC: Script Edit only, the record stays cleared.
    m.ClearScreen = "CLS";
    std::string block = Block(9, "1", "    CLS\r\nLINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"HI\";\r\n");
    block.replace(block.find("HI"), 2, "HO");
    m.BlockText = block;
    ReadFields(s);
    EXPECT_EQ(std::make_tuple(m.ScriptOnly, m.MessageTask[9], m.ClearScreen + m.LineRtf[1]),
              std::make_tuple(true, 1, ""));
    // The empty block needs no CRC; a block without "SUB" gives an empty record.
    m.LineCount = 4;
    m.BlockText = "SUB 9(TASK=0)\r\n\r\nLINE1:\r\n\r\nLINE2:\r\n\r\nLINE3:\r\n\r\nLINE4:\r\n\r\nEND SUB\r\n";
    ReadFields(s);
    EXPECT_FALSE(m.ScriptOnly);
    m.BlockText = "    CLS\r\n";
    ReadFields(s);
    EXPECT_TRUE(!m.ScriptOnly && m.ClearScreen.empty() && ui.boxes.empty());
}

TEST_F(QuickEditTest, ReadingStatementsStartsDevicesAndFields) {
    m.CurrentMessage = 1;
    m.BlockText = Block(1, "0",
                        "    CALL START_SCRIPT(4)\r\n    CALL START_SCRIPT(8)\r\n    CALL LOCK_BUFFER(ON)\r\n"
                        "    CALL LOCK_BUFFER(OFF)\r\n    CALL START_SCRIPT(9)\r\n");
    ReadFields(s);
    EXPECT_EQ(m.StartOtherTask + "|" + m.StartSameTask + "|" + m.LockBuffer, "4,8,9||ON");

    m.BlockText = Block(1, "0",
                        "    CALL START_SCRIPT(4)\r\n    CALL RELAY(OFF)\r\n    CALL RELAY(ON)\r\n"
                        "LINE1:\r\n    CALL CURSOR(1,1)\r\n    CALL BLINK(100,1)\r\n    PRINT\"AB\";\r\n"
                        "    CALL BLINK(-1)\r\n    PRINT\"C\\\"D\\\\E\";\r\n    LET A=VAR(3)\r\n"
                        "    PRINT USING(20,2);A;\r\n    PRINT VAR(16,-3);\r\n    CALL BLINK(25,ON)\r\n"
                        "    PRINT VAR(2, 2);\r\n    CALL BLINK(7,7)\r\n    PRINT\"LOST\";\r\n    PRINT VAR(2, 2);\r\n"
                        "    CALL BLINK(25,OFF)\r\n    PRINT\"CALL WAIT(1) CLS\";\r\n"
                        "LINE9:\r\n    PRINT\"IGNORED\";\r\n    CALL START_SCRIPT(5)\r\n");
    s.settings.VarChar = "#";
    ReadFields(s);
    EXPECT_EQ(m.StartOtherTask + "|" + m.StartSameTask + "|" + m.RelayMode + "|" + m.LineBlink[1],
              "4|5|OFF|100,1");
    EXPECT_EQ(m.LineRtf[1], "\\sb90\\sa90 \\f65 \\cf0 AB\\f0 \\cf0 C\"D\\\\E\\f35 \\cf4 ##.#\\f48 \\cf4 ###"
                            "\\f18 \\cf4 ##\\f0 \\cf0 CALL WAIT(1) CLS");
    EXPECT_EQ(m.WaitTime + m.ClearScreen, "");

    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(HOST)\r\n"), "HOST");
    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"OUT 1  \";\r\n    CALL OUTPUT_DEVICE(DISPLAY)\r\n"),
              "OUT 1");
    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"OUT\r\n    CALL OUTPUT_DEVICE(DISPLAY)\r\n"),
              "OUT\r\n");
    for (const char* none : {"    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"OUT\";\r\n",
                             "    CALL OUTPUT_DEVICE(SERIAL)", "    PRINT\"CALL OUTPUT_DEVICE(HOST)\";\r\n"})
        EXPECT_EQ(ChkDevice(none), "") << none;
    EXPECT_EQ(ChkLet("    LET A=VAR(3)\r\n"), "3");
    EXPECT_EQ(ChkLet("    LET A=VAR(3\r\n") + ChkLet("    PRINT VAR(3,4)\r\n"), "");
}

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
        "LINE1:\r\n    CALL CURSOR(1,1)\r\n// Center line\r\n    PRINT\"       \";\r\n    PRINT\"HELLO\";\r\n" +
        Pad("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line") +
        "LINE2:\r\n    CALL CURSOR(2,1)\r\n    PRINT\"TEMP \";\r\n    PRINT VAR(3, 4);\r\n" +
        Pad("    CALL ERASE_TO_EOL(CURRENT,CURRENT)", "// Erase to the end of the line");
    EXPECT_EQ(m.BlockText, "SUB 5(TASK=0)    // CRC value =" + Str(CalcCrc(body)) + "\r\n" + body + "END SUB\r\n");
    // The comment starts in column 46 exactly.
    EXPECT_EQ(Pad("    CLS", "//").find("//"), 45u);
    EXPECT_EQ(ui.statuses.front() + "|" + ui.statuses.back(), "Assembling message  5|");
    EXPECT_EQ(ui.busyDepth, 0);
    // The record is left as the person edited it.
    EXPECT_EQ(m.ClearScreen + "|" + m.LineRtf[1], "CLS|\\sb90\\sa90 \\qc \\f0 \\cf0 HELLO\\f0 ");
}

// Enter at the start of a centred block leaves an empty paragraph that carries the alignment
// on to the block after it: that block is still centred in the script.
TEST_F(QuickEditTest, EmptyCentredParagraphHandsOnItsAlignment) {
    m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 12345678901234567890\\par\r\n\\qc \\par\r\n\\f0 \\cf0 EF";
    m.LineRepeat[1] = "0,0";
    m.WaitTime = "10";
    m.VerticalScrollMode = true;
    SubMake(s);
    EXPECT_NE(m.LineScript[1].find("// Center block 2\r\n    PRINT\r\n    PRINT\"         \";\r\n    PRINT\"EF\";"),
              std::string::npos)
        << m.LineScript[1];
}

// A scrolling line whose blocks were all emptied shows nothing: like an empty line it
// writes nothing, so the block reads back into the same record.
TEST_F(QuickEditTest, ScrollingLineOfEmptyBlocksIsAnEmptyLine) {
    m.LineRtf[1] = "\\sb90\\sa90 \\f0 \\cf0 \\par\r\n\\f0 \\cf0 ";
    m.LineRepeat[1] = "0,0";
    m.WaitTime = "10";
    m.HorizontalScrollMode = true;
    m.ClearScreen = "CLS";
    SubMake(s);
    EXPECT_EQ(m.BlockText.find("LINE1:"), std::string::npos) << m.BlockText;
}
