// The system under the program: the disk named by UTF-8 paths, a save replacing the file
// it reads from, errors as the program's disk-error codes, the single-instance lock, and
// the path rules of each system.
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

#include "TempDir.h"
#include "platform/BuildPlatform.h"
#include "platform/ComPort.h"
#include "platform/InstanceLock.h"
#include "storage/DiskError.h"
#include "storage/NativeFileSystem.h"
#include "storage/PathUtil.h"

using namespace lt;

TEST(Platform, DiskTakesUtf8NamesReplacesAFileBeingReadAndReportsErrors) {
    test::TempDir dir;
    NativeFileSystem disk;
    FileSystem& fs = disk;
    const std::string target = dir.file("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC.src");
    ASSERT_TRUE(WriteFileAtomically(fs, target, "old\r\n"));
    // A save writes a temporary file and replaces the file it is still reading blocks from.
    auto reader = fs.openRead(target);
    ASSERT_TRUE(reader);
    auto out = fs.openWrite(dir.file("TMPFLN.TMP"), false);
    ASSERT_TRUE(out && out->write("new\r\n") && out->sync() && out->close());
    int error = 0;
    EXPECT_TRUE(fs.rename(dir.file("TMPFLN.TMP"), target, &error)) << error;
    reader.reset();
    std::string content;
    EXPECT_TRUE(ReadWholeFile(fs, target, content) && content == "new\r\n");
    EXPECT_FALSE(fs.exists(dir.file("TMPFLN.TMP")));
    auto appended = fs.openWrite(target, true);
    ASSERT_TRUE(appended);
    EXPECT_EQ(appended->position(), 5);
    EXPECT_TRUE(appended->write("more") && appended->close());
    EXPECT_EQ(fs.fileSize(target), 9);

    // Every system's errors reach the person as the same disk-error messages.
    EXPECT_FALSE(fs.openRead(dir.file("missing.src"), &error));
    EXPECT_EQ(DiskErrorCode(error), 76);
    EXPECT_FALSE(fs.openWrite(dir.file("no") + kPathSeparator + "x.src", false, &error));
    EXPECT_EQ(DiskErrorCode(error), 76);
    EXPECT_FALSE(fs.openRead(dir.dir(), &error));
    EXPECT_EQ(error, EISDIR);
    EXPECT_TRUE(fs.isDirectory(dir.dir()) && fs.fileSize(dir.dir()) == -1);
    EXPECT_TRUE(fs.remove(target));
    EXPECT_FALSE(fs.remove(target, &error));
    EXPECT_EQ(error, ENOENT);
}

TEST(Platform, OneInstanceLockAtATime) {
    test::TempDir dir;
    using Lock = platform::InstanceLock;
    auto first = std::make_unique<Lock>(dir.file("Lumatext7700.lock"));
    for (int again = 0; again < 2; ++again) EXPECT_EQ(first->tryLock(), Lock::Result::Held);
    Lock second(dir.file("Lumatext7700.lock"));
    EXPECT_EQ(second.tryLock(), Lock::Result::HeldElsewhere);
    first.reset(); // the lock goes with its holder; the file stays and is taken over
    EXPECT_EQ(second.tryLock(), Lock::Result::Held);
    EXPECT_EQ(Lock(dir.file("none") + kPathSeparator + "x.lock").tryLock(), Lock::Result::Unavailable);
}

TEST(Platform, PathsAndPortsAsTheSystemNamesThem) {
    const std::string sep(1, kPathSeparator);
    const std::string path = "a" + sep + "b.c" + sep + "x.src";
    EXPECT_EQ(DirPart(path), "a" + sep + "b.c" + sep);
    EXPECT_EQ(BaseName(path), "a" + sep + "b.c" + sep + "x");
    EXPECT_EQ(WithTrailingSeparator("dir"), "dir" + sep);
    if constexpr (platform::kWindowsBuild) {
        EXPECT_EQ(sep, "\\");
        EXPECT_EQ(DirPart("C:/units/a.src"), "C:/units/"); // "/" separates names too
        EXPECT_EQ(WithTrailingSeparator("C:/units/"), "C:/units/");
        EXPECT_EQ(FileNamePart("C:A.SRC"), "A.SRC"); // so does a drive's ":"
        EXPECT_EQ(platform::ComPortDevice(12), "COM12");
    } else {
        EXPECT_EQ(sep, "/");
        EXPECT_EQ(FileNamePart("units\\a.src"), "units\\a.src"); // "\" belongs to the name
        EXPECT_EQ(platform::ComPortDevice(1), "/dev/ttyS0");
    }
}
