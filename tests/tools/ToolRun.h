// Runs the real tool programs the way the editor does: an argument-list file of CR LF
// lines with one extra empty line, the program started with "@<list>" and no shell.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "TempDir.h"

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

inline std::string binDir() { return std::string(LT_BIN_DIR) + "/"; }
inline std::string corpusDir() { return std::string(LT_SOURCE_DIR) + "/tests/tools/corpus/"; }

} // namespace lt::test
