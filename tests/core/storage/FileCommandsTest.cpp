// The file commands when the world around the editor changes: the open file rewritten,
// touched or removed by another program, a file opened by mistake, an open that fails.
// Every path keeps the edits and says what happens before anything is written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include "StorageFixture.h"
#include "storage/FileCommands.h"
#include "storage/SaveFile.h"
#include "storage/WorkStore.h"

using namespace lt;
using test::Block;
using test::kEdited2;

namespace {

const std::string kNew5 = Block(5, 0, "    PRINT\"FIVE\";\r\n");

struct TitleView : FileCommandsView {
    std::string title;
    void setTitle(const std::string& t) override { title = t; }
    void showNavigation() override {}
    void showMessage() override {}
    void updateRecentMenu() override {}
    void applyUnitType() override {}
};

// The editor in Script Edit (BlockText is what the person typed) over a temporary directory.
struct Editor : test::StorageFixture {
    TitleView view;
    FileCommands files{s, view};
    Editor() { s.run.ScriptEditMode = true; }

    // Moves to message n as a message change does, and types text as its block.
    void edit(int n, const std::string& text) {
        WorkStore store(s);
        ASSERT_TRUE(store.StoreMessage(s.msg.CurrentMessage));
        s.msg.CurrentMessage = n;
        store.LoadMessage(n);
        s.msg.BlockText = text;
    }
    // a.src holds blocks 1, 2, 3; message 2 is edited into the work file, 5 is new and current.
    void openAndEdit() {
        dir.write("a.src", ScriptHeader("7740", "2") + Block(1, 0) + "\r\n" + Block(2, 0) + "\r\n" + Block(3, 3) + "\r\n");
        files.OpenPath(dir.file("a.src"));
        edit(2, kEdited2);
        edit(5, kNew5);
        ui.clear();
    }
    // Another program sets the file's time (content unchanged).
    void touch(const std::string& name, int secondsAhead) {
        struct stat st {};
        ::stat(dir.file(name).c_str(), &st);
        utimbuf times{st.st_atime, st.st_mtime + secondsAhead};
        ::utime(dir.file(name).c_str(), &times);
    }
};

std::string Changed(const std::string& name, bool removed) {
    return "The file " + name + " has been " + (removed ? "removed or renamed" : "changed") + " by another program "
           "since it was opened or saved here.\r\nYes " + (removed ? "writes it again" : "replaces it") + " with the "
           "messages of this editor, No saves them under another name, Cancel saves nothing.";
}

} // namespace

// Save, Save As and Exit->Yes around a file that another program touched, rewrote or
// removed: a touch alone asks nothing; a change asks before anything is written, and
// every answer keeps every edit.
TEST(FileCommandsWorld, SaveAroundAFileChangedByAnotherProgram) {
    Editor e;
    e.openAndEdit();
    e.touch("a.src", 30);
    e.files.Save();
    EXPECT_TRUE(e.ui.boxes.empty());
    EXPECT_EQ(e.dir.read("a.src"), ScriptHeader("7740", "2") + Block(1, 0) + "\r\n" + kEdited2 + "\r\n" +
                                       Block(3, 3) + "\r\n" + kNew5 + "\r\n");

    e.edit(2, Block(2, 1, "    PRINT\"AGAIN\";\r\n"));
    const std::string foreign = ScriptHeader("7780", "1") + Block(3, 0, "    CLS\r\n") + "\r\n";
    e.dir.write("a.src", foreign);
    e.ui.answers = {Answer::Cancel};
    e.files.Save();
    ASSERT_EQ(e.ui.boxes.size(), 1u);
    EXPECT_EQ(e.ui.box(0),
              std::make_tuple(Changed("a.src", false), Buttons::YesNoCancel, Icon::Exclamation, Answer::No));
    EXPECT_EQ(e.dir.read("a.src"), foreign);
    EXPECT_EQ(e.s.msg.BlockText, Block(2, 1, "    PRINT\"AGAIN\";\r\n"));

    // No: Save As. Message 1 and 5 are gone from the rewritten file and named first;
    // the new file holds the rest, the other program's file stays as it left it.
    e.ui.clear();
    e.ui.answers = {Answer::No, Answer::Ok};
    e.ui.files = {e.dir.file("b.src")};
    e.files.Save();
    EXPECT_EQ(e.ui.texts(), (std::vector<std::string>{
                                Changed("a.src", false),
                                "Messages 1, 5 can no longer be read from a.src: another program has changed or removed "
                                "the file.\r\nOK saves the other messages without them; Cancel saves nothing."}));
    EXPECT_EQ(e.dir.read("a.src"), foreign);
    EXPECT_EQ(e.dir.read("b.src"), ScriptHeader("7740", "2") + Block(2, 1, "    PRINT\"AGAIN\";\r\n") + "\r\n" +
                                       Block(3, 0, "    CLS\r\n") + "\r\n");
    EXPECT_EQ(e.view.title, "Lumatext 7700 - b.src");

    // Exit with b.src removed meanwhile: Yes to saving, Yes to writing it again, and OK
    // to leaving out message 2, which lived only in the removed file.
    e.edit(3, Block(3, 2));
    std::remove(e.dir.file("b.src").c_str());
    e.ui.clear();
    e.ui.answers = {Answer::Yes, Answer::Yes, Answer::Ok};
    EXPECT_FALSE(e.files.AskSaveChanges(true));
    EXPECT_EQ(e.ui.texts(), (std::vector<std::string>{
                                "Do you want to save the changes?", Changed("b.src", true),
                                "Message 2 can no longer be read from b.src: another program has changed or removed "
                                "the file.\r\nOK saves the other messages without it; Cancel saves nothing."}));
    EXPECT_EQ(e.dir.read("b.src"), ScriptHeader("7740", "2") + Block(3, 2) + "\r\n");
}

// A text file opened by mistake holds no blocks: the first save over it asks (No = Save
// As, the default), later saves do not.
TEST(FileCommandsWorld, FileWithoutBlocksIsNotOverwrittenUnasked) {
    Editor e;
    e.dir.write("notes.txt", "shopping list\r\nmilk\r\n");
    e.files.OpenPath(e.dir.file("notes.txt"));
    EXPECT_EQ(e.view.title, "Lumatext 7700 - notes.txt");
    e.s.msg.BlockText = Block(0, 0);
    e.ui.clear();
    e.files.Save(); // the default, No: Save As, cancelled in its dialog
    ASSERT_EQ(e.ui.boxes.size(), 1u);
    EXPECT_EQ(e.ui.box(0), std::make_tuple("The file notes.txt held no messages when it was opened, so it may not be a "
                                           "script file.\r\nYes replaces its content with the messages of this editor, "
                                           "No saves them under another name, Cancel saves nothing.",
                                           Buttons::YesNoCancel, Icon::Exclamation, Answer::No));
    EXPECT_EQ(e.ui.fileDialogs.size(), 1u);
    EXPECT_EQ(e.dir.read("notes.txt"), "shopping list\r\nmilk\r\n");
    e.ui.clear();
    e.ui.answers = {Answer::Yes};
    e.files.Save();
    EXPECT_EQ(e.dir.read("notes.txt"), ScriptHeader("7740", "2") + Block(0, 0) + "\r\n");
    e.s.msg.BlockText = Block(0, 1);
    e.ui.clear();
    e.files.Save();
    EXPECT_TRUE(e.ui.boxes.empty());
    EXPECT_EQ(e.dir.read("notes.txt"), ScriptHeader("7740", "2") + Block(0, 1) + "\r\n");
}

// An open that fails (a missing file, a foreign file) leaves the open file, the title,
// the unit type and every message as they were.
TEST(FileCommandsWorld, FailedOpenLeavesEverythingAsItWas) {
    Editor e;
    e.openAndEdit();
    EXPECT_EQ(e.view.title, "Lumatext 7700 - a.src");
    const auto states = e.s.index.MessageState;
    e.dir.write("foreign.src", "#define Display_type (7780)\r\nSUB 4(TASK=1)\r\n#define Display_type ()\r\n");
    e.ui.answers = {Answer::No, Answer::Ok, Answer::Ok, Answer::No, Answer::No};
    e.ui.files = {e.dir.file("missing.src")};
    e.files.OpenFile();
    e.ui.files = {e.dir.file("foreign.src")};
    e.files.OpenFile();
    EXPECT_EQ(e.ui.texts(), (std::vector<std::string>{
                                "Do you want to save the changes?", "Specified file doesn't exist.",
                                "Error! Cannot open file " + e.dir.file("missing.src"),
                                "Do you want to save the changes?",
                                "You can open files created only with this program.\r\nDo you want to try again?"}));
    EXPECT_EQ(e.view.title, "Lumatext 7700 - a.src");
    EXPECT_EQ(e.s.index.CurrentFilePath + "|" + e.s.settings.UnitType, e.dir.file("a.src") + "|7740");
    EXPECT_EQ(std::make_pair(e.s.msg.CurrentMessage, e.s.msg.BlockText), std::make_pair(5, kNew5));
    EXPECT_EQ(e.s.index.MessageState, states);
    WorkStore(e.s).LoadMessage(2);
    EXPECT_EQ(e.s.msg.BlockText, kEdited2);
}
