#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/Crc.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;

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
    EXPECT_EQ((std::vector<int>{store.NextMessage(-1), store.NextMessage(3), store.NextMessage(9),
                                store.PreviousMessage(9), store.PreviousMessage(3)}),
              (std::vector<int>{3, 9, 10, 3, 2}));
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
