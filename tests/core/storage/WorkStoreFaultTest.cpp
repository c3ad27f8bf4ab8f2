// The work store when the disk fails under it, and when another program deletes or
// rewrites the open script file: the edit stays in memory, nothing stored earlier is lost,
// the work file never holds two copies of a message, and Save drops no message unasked.
#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/Crc.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;
using test::Copies;
using test::kEdited2;
using test::OpenWithOneEdit;

namespace {

const std::string kNew5 = Block(5, 0);  // the new message of PrepareEdits

std::string Load(Session& s, int n) {
    WorkStore(s).LoadMessage(n);
    return s.msg.BlockText;
}

} // namespace

TEST(WorkStoreFaults, FailedAppendKeepsTheEditAndLosesNothing) {
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE(failAt);
        ASSERT_LT(failAt, 10);
        test::FaultyFixture fixture;
        auto& [dir, fs, ui, s] = fixture;
        test::PrepareEdits(s, dir);
        WorkStore store(s);
        fs.operations = 0;
        fs.failAt = failAt;
        ui.clear();
        if (store.StoreMessage(5)) { // open for appending, write: the two points that can fail
            EXPECT_TRUE(failAt == 3 && ui.boxes.empty());
            break;
        }
        ASSERT_EQ(ui.texts(), std::vector<std::string>{"Can't write in file TMP$$$.TMP"});
        EXPECT_EQ(ui.boxes[0].buttons, Buttons::Ok);
        EXPECT_EQ(std::make_pair(s.index.MessageState[5], s.msg.BlockText), std::make_pair(0, kNew5));

        // The person tries again once the disk is back: one complete copy of each block.
        fs.failAt = 0;
        ASSERT_TRUE(store.StoreMessage(5));
        const std::string work = dir.read("TMP$$$.TMP");
        EXPECT_EQ(std::make_pair(Copies(work, kNew5), Copies(work, kEdited2)), std::make_pair(1, 1));
        for (auto [n, block] :
             {std::pair<int, std::string>{5, kNew5}, {2, kEdited2}, {1, Block(1, 0)}, {3, Block(3, 3)}})
            EXPECT_EQ(Load(s, n), block) << n;
    }
}

// The open file deleted, then rewritten by another program: Save names the messages that
// can no longer be read in one question; Cancel writes nothing and keeps every edit, OK
// writes the others.
TEST(WorkStoreFaults, ScriptFileDeletedOrRewrittenByAnotherProgram) {
    test::StorageFixture f;
    OpenWithOneEdit(f.s, f.dir);
    std::remove(f.dir.file("a.src").c_str());
    f.ui.clear();
    EXPECT_EQ(Load(f.s, 3), "");
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{"Can't open file a.src"});
    EXPECT_EQ(Load(f.s, 2), kEdited2); // the work store is untouched

    f.ui.clear();
    f.s.msg.CurrentMessage = 2;
    f.ui.answers = {Answer::Cancel};
    EXPECT_FALSE(SaveFile(f.s, f.dir.file("a.src"), f.dir.file("b.src")));
    ASSERT_EQ(f.ui.boxes.size(), 1u);
    EXPECT_EQ(f.ui.box(0), std::make_tuple("Messages 1, 3 can no longer be read from a.src: another program has "
                                           "changed or removed the file.\r\nOK saves the other messages without them; "
                                           "Cancel saves nothing.",
                                           Buttons::OkCancel, Icon::Exclamation, Answer::Cancel));
    EXPECT_FALSE(f.dir.has("b.src") || f.dir.has("TMPFLN.TMP"));
    EXPECT_EQ(std::make_pair(f.s.index.MessageState[1], f.s.index.MessageState[2]), std::make_pair(1, 2));
    EXPECT_EQ(Load(f.s, 2), kEdited2);

    // Rewritten: block 1 is still there (as the other program left it), 3 is gone.
    const std::string foreign = ScriptHeader("7740", "2") + Block(7, 0) + "\r\n" + Block(1, 2, "    CLS\r\n") + "\r\n";
    f.dir.write("a.src", foreign);
    f.ui.clear();
    f.ui.answers = {Answer::Ok};
    ASSERT_TRUE(SaveFile(f.s, f.dir.file("a.src"), f.dir.file("a.src")));
    EXPECT_EQ(f.ui.texts()[0].substr(0, 46), "Message 3 can no longer be read from a.src: an");
    EXPECT_EQ(f.dir.read("a.src"),
              ScriptHeader("7740", "2") + Block(1, 2, "    CLS\r\n") + "\r\n" + kEdited2 + "\r\n");
    EXPECT_TRUE(f.s.index.MessageState[3] == 0 && !f.dir.has("TMP$$$.TMP"));
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
    EXPECT_EQ((std::vector<int>{store.NextMessage(-1), store.NextMessage(3), store.NextMessage(9),
                                store.PreviousMessage(9), store.PreviousMessage(3)}),
              (std::vector<int>{3, 9, 10, 3, 2}));
    const int last = store.NextMessage(1023), first = store.PreviousMessage(0);
    EXPECT_EQ(std::make_pair(last, first), std::make_pair(1023, 0));
    EXPECT_EQ(f.ui.texts(),
              (std::vector<std::string>{"Message 1023 is the last one", "Message 0 is the first one"}));
}

TEST(WorkStore, LoadAndModifiedTest) {
    test::StorageFixture f;
    WorkStore store(f.s);
    f.s.index.MessageState[4] = 1;
    store.LoadMessage(4);
    EXPECT_EQ(f.ui.lastText() + "|" + f.s.msg.BlockText, "Error. Specified message not found.|");
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
