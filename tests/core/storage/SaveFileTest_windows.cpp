// What a save keeps of the file it replaces on Windows: its attributes; a read-only file and
// one that another program holds open are refused with the system's reason and left alone.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <windows.h>

#include "StorageFixture.h"
#include "platform/WindowsFiles.h"
#include "storage/SaveFile.h"

using namespace lt;
using test::Block;

TEST(SaveFile, KeepsAttributesAndRefusesReadOnlyAndOpenFiles) {
    test::StorageFixture f;
    test::PrepareEdits(f.s, f.dir);
    const std::string path = f.s.index.CurrentFilePath;
    const std::wstring file = platform::Widen(path);
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(SaveFile(f.s, path, path));
    EXPECT_TRUE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(f.dir.read("a.src").find(Block(5, 0)), std::string::npos);

    // Read-only: refused before anything is written.
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = f.dir.read("a.src");
    f.s.msg.BlockText = Block(5, 1);
    EXPECT_FALSE(SaveFile(f.s, path, path));
    EXPECT_EQ(f.ui.texts(), std::vector<std::string>{"Can't write in file a.src (Permission denied)."});
    EXPECT_EQ(f.dir.read("a.src"), before);
    EXPECT_TRUE(::GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY);

    // Held open without sharing by another program.
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    HANDLE other = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveFile(f.s, path, path));
    EXPECT_EQ(f.ui.texts().back(), "Can't write in file a.src (" + std::string(std::strerror(EBUSY)) + ").");
    ::CloseHandle(other);
    EXPECT_EQ(f.dir.read("a.src"), before);
    EXPECT_TRUE(SaveFile(f.s, path, path));
    EXPECT_NE(f.dir.read("a.src").find(Block(5, 1)), std::string::npos);
}
