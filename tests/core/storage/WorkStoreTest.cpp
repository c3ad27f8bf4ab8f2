#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/Crc.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;
using test::Copies;

TEST(Crc, StableSignedAndNeverZeroForText) {
    EXPECT_EQ(CalcCrc(""), 0);
    EXPECT_EQ(CalcCrc("123456789"), static_cast<int32_t>(0xCBF43926u));
    EXPECT_NE(CalcCrc("\r\nLINE1:\r\n\r\n"), 0);
}

TEST(WorkStore, UntouchedMessagesLeaveNoWorkFile) {
    test::StorageFixture f;
    WorkStore store(f.s);
    for (int n = 0; n < 5; ++n) {
        f.s.msg.CurrentMessage = n;
        f.s.msg.BlockText = n % 2 ? EmptyBlock(f.s) : "";
        EXPECT_TRUE(store.StoreMessage(n));
    }
    EXPECT_TRUE(f.s.index.WorkFilePath.empty());
    EXPECT_FALSE(f.dir.has("prog/TMP$$$.TMP"));
    EXPECT_FALSE(store.IsModified());
}

TEST(WorkStore, EditingTwiceKeepsOneCopyInTheWorkFile) {
    test::StorageFixture f;
    WorkStore store(f.s);
    for (int n : {3, 5, 9}) {
        f.s.msg.CurrentMessage = n;
        store.LoadMessage(n);
        f.s.msg.BlockText = Block(n, 0);
        ASSERT_TRUE(store.StoreMessage(n));
    }
    const std::string work = f.s.run.ProgramDir + "TMP$$$.TMP";
    EXPECT_EQ(f.s.index.WorkFilePath, work);
    f.s.msg.CurrentMessage = 5;
    store.LoadMessage(5);
    EXPECT_EQ(f.s.msg.BlockText, Block(5, 0));
    store.StoreMessage(5); // unchanged: nothing written
    EXPECT_EQ(Copies(test::TempDir::readFile(work), "SUB 5("), 1);
    f.s.msg.BlockText = Block(5, 1, "    CLS\r\n");
    ASSERT_TRUE(store.StoreMessage(5));
    std::string text = test::TempDir::readFile(work);
    EXPECT_EQ(Copies(text, "SUB 5("), 1);
    EXPECT_EQ(text, Block(3, 0) + "\r\n" + Block(5, 1, "    CLS\r\n") + "\r\n" + Block(9, 0) + "\r\n");
    EXPECT_FALSE(f.dir.has("prog/TMP1$$.TMP"));
    for (int n : {3, 5, 9}) {
        store.LoadMessage(n);
        EXPECT_EQ(f.s.msg.BlockText.substr(0, 6), "SUB " + std::to_string(n) + "(");
    }
    EXPECT_TRUE(store.IsModified());
}

TEST(WorkStore, StaleWorkFileIsDeletedBeforeTheFirstStore) {
    test::StorageFixture f;
    f.dir.write("prog/TMP$$$.TMP", Block(7, 0) + "\r\n");
    f.dir.write("prog/TMP1$$.TMP", "junk");
    WorkStore store(f.s);
    f.s.msg.BlockText = Block(0, 0);
    ASSERT_TRUE(store.StoreMessage(0));
    EXPECT_EQ(f.dir.read("prog/TMP$$$.TMP"), Block(0, 0) + "\r\n");
    EXPECT_FALSE(f.dir.has("prog/TMP1$$.TMP"));
}

TEST(WorkStore, UnwritableScriptDirectoryFallsBackToProgramDir) {
    test::StorageFixture f;
    f.s.index.CurrentFilePath = "/proc/nowhere/a.src";
    f.s.msg.BlockText = Block(0, 0);
    WorkStore store(f.s);
    ASSERT_TRUE(store.StoreMessage(0));
    EXPECT_EQ(f.ui.lastText(), "Can't write in specified directory /proc/nowhere/. New created messages will be "
                               "written in temporary file in directory - " + f.s.run.ProgramDir);
    EXPECT_EQ(f.ui.boxes.back().icon, Icon::Exclamation);
    EXPECT_EQ(f.s.index.WorkFilePath, f.s.run.ProgramDir + "TMP$$$.TMP");
}

TEST(WorkStore, NextAndPreviousMessage) {
    test::StorageFixture f;
    WorkStore store(f.s);
    EXPECT_EQ(store.NextMessage(-1), 0);
    f.s.index.MessageState[3] = 1;
    f.s.index.MessageState[9] = 2;
    EXPECT_EQ(store.NextMessage(-1), 3);
    EXPECT_EQ(store.NextMessage(3), 9);
    EXPECT_EQ(store.NextMessage(9), 10);
    EXPECT_EQ(store.PreviousMessage(9), 3);
    EXPECT_EQ(store.PreviousMessage(3), 2);
    EXPECT_TRUE(f.ui.boxes.empty());
    EXPECT_EQ(store.NextMessage(1023), 1023);
    EXPECT_EQ(f.ui.lastText(), "Message 1023 is the last one");
    EXPECT_EQ(store.PreviousMessage(0), 0);
    EXPECT_EQ(f.ui.lastText(), "Message 0 is the first one");
}

TEST(WorkStore, LoadAndModifiedTest) {
    test::StorageFixture f;
    WorkStore store(f.s);
    f.s.index.MessageState[4] = 1;
    store.LoadMessage(4);
    EXPECT_EQ(f.ui.lastText(), "Error. Specified message not found.");
    EXPECT_TRUE(f.s.msg.BlockText.empty());
    f.s.msg.CurrentMessage = 0;
    f.s.index.MessageState[4] = 0;
    f.s.index.LoadedCrc = 0;
    f.s.msg.BlockText = EmptyBlock(f.s);
    EXPECT_FALSE(store.IsModified());
    f.s.msg.BlockText = Block(0, 0);
    EXPECT_TRUE(store.IsModified());
    f.s.index.LoadedCrc = CalcCrc(f.s.msg.BlockText);
    EXPECT_FALSE(store.IsModified());
    f.s.run.HeaderChanged = true;
    EXPECT_TRUE(store.IsModified());
}
