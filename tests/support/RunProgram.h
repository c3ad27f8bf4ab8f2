// Starting a program from a test as the editor does: an argument list, never a shell.
// RunProgram_posix.cpp and RunProgram_windows.cpp hold the system's side.
#pragma once

#include <string>
#include <vector>

namespace lt::test {

struct ProgramCall {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDirectory; // empty: the test's own
    // Files that receive the standard output and error; empty: the test's own streams.
    std::string outputFile, errorFile;
};

// The program's exit code; -1 when it could not be started or did not end normally.
int RunProgram(const ProgramCall& call);

// The bytes of an argument-list file as the editor writes it: CR LF lines, one extra empty line.
inline std::string listText(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += e + "\r\n";
    return text + "\r\n";
}

} // namespace lt::test
