// A session with an in-memory disk and a scripted person, for the Quick Edit tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "FakeUserPort.h"
#include "MemoryFileSystem.h"
#include "Session.h"

namespace lt::test {

class QuickEditTest : public ::testing::Test {
protected:
    MemoryFileSystem fs;
    FakeUserPort ui;
    Session s{fs, ui};
    QuickMessage& m = s.msg;

    void fourLines() {
        m.LineCount = 4;
        s.settings.UnitType = "7780";
    }
};

// "statement" followed by blanks up to column 46 and the comment, with the line end.
inline std::string Pad(const std::string& statement, const std::string& comment) {
    std::string out = statement;
    if (out.size() < 45) out.append(45 - out.size(), ' ');
    return out + comment + "\r\n";
}

} // namespace lt::test
