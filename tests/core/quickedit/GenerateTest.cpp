#include <gtest/gtest.h>

#include "QuickEditFixture.h"
#include "common/NumberText.h"
#include "quickedit/Generate.h"
#include "storage/Crc.h"

using namespace lt;
using lt::test::Pad;
using lt::test::QuickEditTest;

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
