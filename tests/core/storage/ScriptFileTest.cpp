#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;

TEST(ScriptFile, ScanIndexesBlocksWithTheirTasksAndPositions) {
    test::StorageFixture f;
    std::string text = ScriptHeader("7780", "1") + Block(3, 2) + "\r\n" + "SUB7 (TASK=0)\r\nEND SUB\r\n\r\n" +
                       Block(9, 4) + "\r\n" + Block(12, -1) + "\r\n" + Block(3, 1, "    CLS\r\n") + "\r\n" +
                       "SUB 99999(TASK=7)\r\nEND SUB\r\n";
    f.dir.write("a.src", text);
    f.s.settings.UnitType = "7740";
    auto r = ScanScriptFile(f.s, f.dir.file("a.src"));
    EXPECT_EQ(std::make_pair(r.outcome, r.blockCount), std::make_pair(ScanOutcome::Scanned, 6));
    EXPECT_EQ(f.s.settings.UnitType + "|" + f.s.settings.FirmwareVersion, "7780|1");
    EXPECT_EQ(f.s.msg.LineCount, 4);
    // The later duplicate of 3 is indexed, "SUB7 (" reads like "SUB 7(", task 4 is out of range.
    EXPECT_EQ((std::vector<int>{f.s.index.MessageState[3], f.s.msg.MessageTask[3], f.s.index.MessageState[7],
                                f.s.msg.MessageTask[9], f.s.msg.MessageTask[12]}),
              (std::vector<int>{1, 1, 1, 0, 0}));
    EXPECT_EQ(text.substr(f.s.index.MessageOffset[9] - 1, 5), "SUB 9");
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(f.ui.statuses.front(), "Opening file a.src. Total size  " + std::to_string(text.size()) +
                                          " , 0 % complete.");

    f.s.index.CurrentFilePath = f.dir.file("a.src");
    for (auto [n, block] : {std::pair<int, std::string>{3, Block(3, 1, "    CLS\r\n")},
                            {7, "SUB7 (TASK=0)\r\nEND SUB\r\n"}}) {
        WorkStore(f.s).LoadMessage(n);
        EXPECT_EQ(f.s.msg.BlockText, block);
    }
}

TEST(ScriptFile, LineEndsOtherThanCrLfKeepRealPositions) {
    test::StorageFixture f;
    std::string text = "#define Display_type (7740)\n#pragma version 2\n\nSUB 1(TASK=0)\nLINE1:\n    PRINT\"A\";\nEND SUB\n\r\n"
                       "SUB 2(TASK=3)\r\nEND SUB\r\n\nSUB 3(TASK=0)\nnever ends";
    f.dir.write("lf.src", text);
    ScanScriptFile(f.s, f.dir.file("lf.src"));
    f.s.index.CurrentFilePath = f.dir.file("lf.src");
    const char* blocks[] = {"SUB 1(TASK=0)\r\nLINE1:\r\n    PRINT\"A\";\r\nEND SUB\r\n", "SUB 2(TASK=3)\r\nEND SUB\r\n",
                            "SUB 3(TASK=0)\r\nnever ends\r\n"};
    for (int n = 1; n <= 3; ++n) {
        WorkStore(f.s).LoadMessage(n);
        EXPECT_EQ(f.s.msg.BlockText, blocks[n - 1]);
    }
    EXPECT_EQ(f.s.msg.MessageTask[2], 3);
}

TEST(ScriptFile, ForeignEmptyAndEndingFiles) {
    test::StorageFixture f;
    f.dir.write("foreign.src", "#define Display_type ()\r\nSUB 1(TASK=0)\r\nEND SUB\r\n");
    f.ui.answers = {Answer::Yes};
    EXPECT_EQ(ScanScriptFile(f.s, f.dir.file("foreign.src")).outcome, ScanOutcome::ForeignRetry);
    f.ui.answers = {Answer::No};
    EXPECT_EQ(ScanScriptFile(f.s, f.dir.file("foreign.src")).outcome, ScanOutcome::ForeignStop);
    EXPECT_EQ(std::make_tuple(f.ui.boxes[0].text, f.ui.boxes[0].buttons),
              std::make_tuple("You can open files created only with this program.\r\nDo you want to try again?",
                             Buttons::YesNo));

    f.ui.clear();
    f.dir.write("empty.src", "random \x01\x02 bytes\r\nSUB no parenthesis\r\nSUB 4(TASK=1)\r\n");
    EXPECT_EQ(ScanScriptFile(f.s, f.dir.file("empty.src")).blockCount, 0); // the "SUB" line without "(" ended the scan
    EXPECT_EQ(f.s.index.MessageState[4], 0);
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.boxes[0].text, "This file has no messages. It will be easier to select New file, create the "
                                  "messages and then save it under the same name.");
    EXPECT_EQ(ScanScriptFile(f.s, f.dir.file("missing.src")).outcome, ScanOutcome::CannotOpen);
}

TEST(ScriptFile, HugeLineWithoutLineEndIsReadSafely) {
    test::StorageFixture f;
    std::string text = "#define Display_type (7780)\r\n" + std::string(10 * 1024 * 1024, 'x');
    f.dir.write("big.src", text);
    EXPECT_EQ(ScanScriptFile(f.s, f.dir.file("big.src")).blockCount, 0);
    EXPECT_EQ(f.ui.statuses.back(), "Opening file big.src. Total size  10485789 ,  100 % complete.");
}

TEST(ScriptFile, FetchSearchesForwardAndReportsMissingFiles) {
    test::StorageFixture f;
    std::string text = Block(1, 0) + "\r\n" + Block(2, 2) + "\r\n";
    f.dir.write("a.src", text);
    f.s.index.MessageOffset[2] = 1; // points before the block: it is still found
    EXPECT_EQ(FetchBlock(f.s, f.dir.file("a.src"), 2), Block(2, 2));
    EXPECT_EQ(f.s.msg.MessageTask[2], 2);
    EXPECT_EQ(FetchBlock(f.s, f.dir.file("a.src"), 5), "");
    EXPECT_EQ(FetchBlock(f.s, f.dir.file("gone.src"), 2), "");
    EXPECT_EQ(f.ui.lastText(), "Can't open file gone.src");

    // A block that lost its END SUB line ends where the next one begins.
    f.dir.write("b.src", "SUB 1(TASK=0)\r\n\r\n    // NOTEEND SUB\r\n\r\n" + Block(2, 2) + "\r\n");
    f.s.index.MessageOffset[1] = 1;
    EXPECT_EQ(FetchBlock(f.s, f.dir.file("b.src"), 1), "SUB 1(TASK=0)\r\n\r\n    // NOTEEND SUB\r\n");
}
