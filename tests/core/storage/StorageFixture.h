// A session over a temporary directory with a scripted person, for the storage tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FakeUserPort.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "Session.h"
#include "storage/NativeFileSystem.h"
#include "storage/ScriptFile.h"
#include "storage/WorkStore.h"

namespace lt::test {

inline std::string Block(int n, int task, const std::string& body = "    PRINT\"X\";\r\n") {
    return "SUB " + std::to_string(n) + "(TASK=" + std::to_string(task) + ")    // CRC value = 1\r\n" + body +
           "END SUB\r\n";
}

// How many times `part` occurs in `text`.
inline int Copies(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
}

struct StorageFixture {
    TempDir dir;
    NativeFileSystem disk;
    FakeUserPort ui;
    Session s{disk, ui};
    StorageFixture() {
        s.run.ProgramDir = dir.dir() + "prog/";
        std::filesystem::create_directories(std::filesystem::u8path(s.run.ProgramDir));
    }
};

// A session over a disk that fails where the test says, in a fresh directory that is also
// the program directory. Tests unpack it: auto& [dir, fs, ui, s] = fixture.
struct FaultyFixture {
    TempDir dir;
    FaultyFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    FaultyFixture() { s.run.ProgramDir = dir.dir(); }
};

inline const std::string kEdited2 = Block(2, 1, "    CLS\r\n");

// a.src holds blocks 1, 2 and 3; message 2 is edited (kEdited2) into the work file.
inline void OpenWithOneEdit(Session& s, TempDir& dir) {
    dir.write("a.src", ScriptHeader("7740", "2") + Block(1, 0) + "\r\n" + Block(2, 0) + "\r\n" + Block(3, 3) + "\r\n");
    s.index.CurrentFilePath = dir.file("a.src");
    ScanScriptFile(s, s.index.CurrentFilePath);
    WorkStore store(s);
    s.msg.CurrentMessage = 2;
    store.LoadMessage(2);
    s.msg.BlockText = kEdited2;
    ASSERT_TRUE(store.StoreMessage(2));
}

// OpenWithOneEdit, then a new message 5 current.
inline void PrepareEdits(Session& s, TempDir& dir) {
    OpenWithOneEdit(s, dir);
    s.msg.CurrentMessage = 5;
    WorkStore(s).LoadMessage(5);
    s.msg.BlockText = Block(5, 0);
}

} // namespace lt::test
