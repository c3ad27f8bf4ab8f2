// Runs the real tool programs the way the editor does: an argument-list file of CR LF
// lines with one extra empty line, the program started with "@<list>" and no shell; and
// unit code written as a chain of its statements.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "TempDir.h"
#include "common/UnitCode.h"

namespace lt::test {

// Exit code of the program, -1 when it could not be started or did not exit normally.
inline int runProgram(const std::string& program, const std::string& argument) {
    return RunProgram({program, {argument}, {}, {}, {}});
}

// Writes <name>.lst in the directory and runs the tool on it.
inline int runTool(const TempDir& dir, const std::string& tool, const std::string& listName,
                   const std::vector<std::string>& entries) {
    dir.write(listName, listText(entries));
    return runProgram(std::string(LT_BIN_DIR) + "/" + tool, "@" + dir.file(listName));
}

// A 32,768-byte flash image: `bytes` random bytes from `seed`, the rest erased.
inline std::string randomImage(unsigned seed, size_t bytes) {
    std::mt19937 random(seed);
    std::string image(32768, '\xFF');
    for (size_t i = 0; i < bytes; ++i) image[i] = static_cast<char>(random() & 0xFF);
    return image;
}

// For EXPECT_TRUE: whether `text` holds `part`; a failure shows both.
inline ::testing::AssertionResult contains(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}

// CodeWriter in a chain, so that a message reads as its statements.
struct Code {
    tools::CodeWriter w;
    Code& op(tools::Op o) { return w.op(o), *this; }
    Code& op1(tools::Op o, int a) { return w.op1(o, a), *this; }
    Code& op2(tools::Op o, int a, int b) { return w.op2(o, a, b), *this; }
    Code& word(tools::Op o, int word) { return w.opWord(o, word), *this; }
    Code& byteWord(tools::Op o, int a, int word) { return w.opByteWord(o, a, word), *this; }
    Code& text(std::string_view chars) { return w.text(chars), *this; }
};

inline std::string binDir() { return std::string(LT_BIN_DIR) + "/"; }
inline std::string corpusDir() { return std::string(LT_SOURCE_DIR) + "/tests/tools/corpus/"; }

} // namespace lt::test
