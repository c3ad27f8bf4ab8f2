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
