// A session over a temporary directory with a scripted person, for the storage tests.
#pragma once

#include <string>

#include "FakeUserPort.h"
#include "TempDir.h"
#include "Session.h"
#include "storage/FileSystem.h"

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
    PosixFileSystem disk;
    FakeUserPort ui;
    Session s{disk, ui};
    StorageFixture() {
        s.run.ProgramDir = dir.dir() + "prog/";
        std::string mk = "mkdir -p '" + s.run.ProgramDir + "'";
        (void)std::system(mk.c_str());
    }
};

} // namespace lt::test
