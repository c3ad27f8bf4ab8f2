// What a save keeps of the file it replaces on POSIX systems: permissions, links, and a
// read-only file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "StorageFixture.h"
#include "storage/SaveFile.h"

using namespace lt;
using test::Block;

// The saved file keeps the old one's permissions, a link stays a link to the file that
// gets the new content, and a read-only file is refused with the system's reason.
TEST(SaveFile, RespectsPermissionsLinksAndReadOnlyFiles) {
    auto mode = [](const std::string& path) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st;
    };
    test::StorageFixture f;
    test::PrepareEdits(f.s, f.dir);
    ::chmod(f.dir.file("a.src").c_str(), 0600);
    ASSERT_TRUE(SaveFile(f.s, f.s.index.CurrentFilePath, f.s.index.CurrentFilePath));
    EXPECT_EQ(mode(f.dir.file("a.src")).st_mode & 07777, 0600u);

    test::StorageFixture g;
    ::mkdir(g.dir.file("real").c_str(), 0755);
    g.dir.write("real/a.src", ScriptHeader("7740", "2") + Block(1, 0) + "\r\n");
    ASSERT_EQ(::symlink("real/a.src", g.dir.file("link.src").c_str()), 0);
    g.s.index.CurrentFilePath = g.dir.file("link.src");
    ScanScriptFile(g.s, g.s.index.CurrentFilePath);
    g.s.msg.CurrentMessage = 4;
    g.s.msg.BlockText = Block(4, 1);
    ASSERT_TRUE(SaveFile(g.s, g.s.index.CurrentFilePath, g.s.index.CurrentFilePath));
    EXPECT_TRUE(S_ISLNK(mode(g.dir.file("link.src")).st_mode));
    EXPECT_EQ(g.dir.read("real/a.src"), ScriptHeader("7740", "2") + Block(1, 0) + "\r\n" + Block(4, 1) + "\r\n");
    EXPECT_FALSE(g.dir.has("TMPFLN.TMP") || g.dir.has("real/TMPFLN.TMP"));

    // Read-only: refused before anything is written, even for the administrator.
    ::chmod(g.dir.file("real/a.src").c_str(), 0444);
    const std::string before = g.dir.read("real/a.src");
    g.s.msg.BlockText = Block(4, 2);
    EXPECT_FALSE(SaveFile(g.s, g.s.index.CurrentFilePath, g.s.index.CurrentFilePath));
    EXPECT_EQ(g.ui.texts(), std::vector<std::string>{"Can't write in file link.src (Permission denied)."});
    EXPECT_EQ(g.dir.read("real/a.src"), before);
    EXPECT_EQ(mode(g.dir.file("real/a.src")).st_mode & 07777, 0444u);
    EXPECT_EQ(g.s.msg.BlockText, Block(4, 2));
}
