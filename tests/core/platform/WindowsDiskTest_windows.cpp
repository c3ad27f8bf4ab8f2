// What only Windows has: attributes a save keeps, read-only files refused with the
// system's reason, and a file another program holds open.
#include <gtest/gtest.h>

#include <cerrno>
#include <windows.h>

#include "TempDir.h"
#include "platform/WindowsFiles.h"
#include "storage/DiskError.h"
#include "storage/WindowsFileSystem.h"

using namespace lt;
using platform::Widen;

TEST(WindowsDisk, SaveKeepsAttributesAndLeavesReadOnlyAndOpenFilesAlone) {
    test::TempDir dir;
    WindowsFileSystem disk;
    FileSystem& fs = disk;
    const std::string target = dir.file("UNIT.SRC");
    const std::wstring wide = Widen(target);
    ASSERT_TRUE(WriteFileAtomically(fs, target, "old"));
    ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(WriteFileAtomically(fs, target, "new"));
    EXPECT_TRUE(::GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(fs, target, "newer", &error));
    EXPECT_EQ(error, EACCES);
    std::string content;
    EXPECT_TRUE(ReadWholeFile(fs, target, content));
    EXPECT_EQ(content, "new");
    EXPECT_FALSE(fs.exists(target + ".tmp"));
    ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL));

    // Held open without sharing by another program: "This file is already open."
    HANDLE other = ::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(fs.openWrite(target, false, &error));
    EXPECT_EQ(DiskErrorCode(error), 55);
    ::CloseHandle(other);
}
