#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "storage/SaveFile.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;

namespace {

std::string Expected() {
    return ScriptHeader("7740", "2") + Block(1, 0) + "\r\n" + test::kEdited2 + "\r\n" + Block(3, 3) +
           "\r\n" + Block(5, 0) + "\r\n";
}

} // namespace

TEST(SaveFile, MergesMemoryWorkFileAndOldFile) {
    test::StorageFixture f;
    test::PrepareEdits(f.s, f.dir);
    f.ui.statuses.clear();
    ASSERT_TRUE(SaveFile(f.s, f.s.index.CurrentFilePath, f.s.index.CurrentFilePath));
    EXPECT_EQ(f.dir.read("a.src"), Expected());
    for (auto left : {"TMP$$$.TMP", "TMPFLN.TMP", "TST$$$.TST"}) EXPECT_FALSE(f.dir.has(left)) << left;
    for (int n : {1, 2, 3, 5}) EXPECT_EQ(f.s.index.MessageState[n], 1) << n;
    EXPECT_EQ(f.s.settings.RecentFiles[1], f.dir.file("a.src"));
    const auto& st = f.ui.statuses;
    EXPECT_EQ(st[0] + "|" + st[1] + "|" + st[st.size() - 2],
              "Saving file a.src.  1 % complete.|Saving file a.src.  5 % complete.|Saving file a.src.  100 % complete.");
    // Every block now comes from the new file, and a second save writes nothing.
    WorkStore store(f.s);
    for (int n : {1, 2, 3}) {
        store.LoadMessage(n);
        EXPECT_EQ(f.s.msg.BlockText.substr(0, 6), "SUB " + std::to_string(n) + "(");
    }
    f.s.msg.CurrentMessage = 2;
    store.LoadMessage(2);
    EXPECT_FALSE(SaveFile(f.s, f.s.index.CurrentFilePath, f.s.index.CurrentFilePath));
}

// A save that breaks at any write, sync or rename leaves the old file byte-identical and
// the editor holding every edit; retrying afterwards writes the full file.
TEST(SaveFile, FailureAtEveryStepLosesNothing) {
    for (int failAt = 1;; ++failAt) {
        test::FaultyFixture fixture;
        auto& [dir, fs, ui, s] = fixture;
        test::PrepareEdits(s, dir);
        const std::string before = dir.read("a.src");
        fs.operations = 0;
        fs.failAt = failAt;
        ui.answers = {Answer::No};
        bool saved = SaveFile(s, s.index.CurrentFilePath, s.index.CurrentFilePath);
        if (saved) {
            EXPECT_GT(failAt, 1);
            EXPECT_EQ(dir.read("a.src"), Expected());
            break;
        }
        SCOPED_TRACE(failAt);
        EXPECT_EQ(dir.read("a.src"), before);
        EXPECT_FALSE(dir.has("TMPFLN.TMP"));
        ASSERT_EQ(ui.boxes.size(), 1u);
        const std::string& text = ui.boxes.back().text;
        if (failAt <= 2) {
            EXPECT_EQ(text, "Can't write in specified directory " + dir.dir() +
                                ". You have to select SaveAs from Flie menu and save the file in diferent directory.");
        } else if (failAt == 3) {
            EXPECT_EQ(text, "Can't create temporary file " + dir.dir() + "TMPFLN.TMP");
        } else {
            EXPECT_EQ(std::tie(text, ui.boxes.back().title, ui.boxes.back().buttons),
                      std::make_tuple("Disk is full. Continue.", "Disk Error", Buttons::YesNo));
        }
        EXPECT_EQ(s.index.MessageState[2], 2);
        fs.failAt = 0;
        ASSERT_TRUE(SaveFile(s, s.index.CurrentFilePath, s.index.CurrentFilePath));
        EXPECT_EQ(dir.read("a.src"), Expected());
        ASSERT_LT(failAt, 50);
    }
}

TEST(SaveFile, RetryAfterDiskFullSavesInOneGo) {
    test::FaultyFixture fixture;
    auto& [dir, fs, ui, s] = fixture;
    test::PrepareEdits(s, dir);
    fs.operations = 0;
    fs.failAt = 4; // the first write of the new file
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(SaveFile(s, s.index.CurrentFilePath, s.index.CurrentFilePath));
    EXPECT_EQ(dir.read("a.src"), Expected());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Disk is full. Continue."});
}

// A line longer than any buffer is copied whole from the old file, so the saved file
// still holds it byte for byte.
TEST(SaveFile, KeepsLinesLongerThanAMebibyteWhole) {
    test::StorageFixture f;
    const std::string huge = "    PRINT\"" + std::string(3 << 19, 'W') + "\";\r\n";
    const std::string file = ScriptHeader("7740", "2") + Block(1, 0, huge) + "\r\n" + Block(2, 0) + "\r\n";
    f.dir.write("a.src", file);
    f.s.index.CurrentFilePath = f.dir.file("a.src");
    ScanScriptFile(f.s, f.s.index.CurrentFilePath);
    f.s.msg.CurrentMessage = 2;
    WorkStore(f.s).LoadMessage(2);
    f.s.run.HeaderChanged = true;
    ASSERT_TRUE(SaveFile(f.s, f.s.index.CurrentFilePath, f.dir.file("b.src")));
    EXPECT_EQ(f.dir.read("b.src"), file);
}
