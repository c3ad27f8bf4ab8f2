// The escape file (.esc) that lexmill.exe writes and binmill.exe reads: the compiled
// messages of one script file as readable text lines, CR LF ended:
//
//   LEXMILL ESCAPE FILE 1
//   DISPLAY 7780                (7740, 7780, or 0 when the source did not say)
//   VERSION 2                   (firmware version 1 or 2)
//   MESSAGE 5 TASK 0 SIZE 12    (one per message, ascending numbers)
//   CODE 04010101054845...      (the message code in hex, at most 64 bytes a line)
//   END 1                       (the number of messages, to detect a cut file)
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lt::tools {

constexpr int kMessageCount = 1024;
constexpr int kTaskCount = 4;

struct EscapeMessage {
    int number = 0;
    int task = 0;
    std::string code; // the message code, ending in End
};

struct EscapeProgram {
    int displayType = 0; // 7740, 7780 or 0 (not stated: the unit's own)
    int version = 2;
    std::vector<EscapeMessage> messages; // ascending numbers
};

struct EscapeProblem {
    int line = 0; // 1-based line of the escape file; 0 for the file as a whole
    std::string message;
};

// Display rows for a display type: 2 for the 7740, 4 otherwise.
int rowsOf(int displayType);

std::string writeEscapeFile(const EscapeProgram& program);

// Reads and checks an escape file: its framing, every number and every message's code.
// False with the problems found; `program` then holds what could be read.
bool readEscapeFile(std::string_view text, EscapeProgram& program, std::vector<EscapeProblem>& problems);

} // namespace lt::tools
