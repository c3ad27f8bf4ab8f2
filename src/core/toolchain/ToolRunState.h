// The run state of the tools, shared by the result window, the compile and program runs,
// the unit commands and Script Edit's error stepping.
#pragma once

#include <string>
#include <vector>

namespace lt {

struct SyntaxError {
    std::string lineText;  // line number as the compiler wrote it, counted in "sub.src"
    std::string message;
    // 1-based line of the script text the error is about; 0 when the compiler gave none.
    int scriptLine = 0;
};

struct ToolRunState {
    // From the start of a compile or program run until it ends or fails.
    bool busy = false;
    // Set by "&Close" during a run; the run closes the result window at its next check.
    bool cancelRequest = false;
    // The result window was opened by "&Compile..." (true) or "&Program..." (false).
    bool compileMode = false;
    // Errors of the last syntax check and the 1-based index of the one last shown.
    std::vector<SyntaxError> errors;
    int errorCursor = 0;
};

// One step of Ctrl+Plus / Ctrl+Minus through the syntax errors.
struct ErrorStep {
    bool hasError = false;   // an error became current: select its line
    int scriptLine = 0;      // 1-based line to select in the script box (when hasError)
    std::string status;      // text for the status bar
};

// Ctrl+Plus: the next error; after the last one the cursor goes back to the start.
ErrorStep NextSyntaxError(ToolRunState& state);
// Ctrl+Minus: the previous error, when there is one before the current.
ErrorStep PreviousSyntaxError(ToolRunState& state);

// Byte offset and length (without its line break) of a 1-based line of text, found by
// counting line breaks; a line past the end gives the last line.
struct TextSpan {
    size_t start = 0;
    size_t length = 0;
};
TextSpan LineSpan(const std::string& text, int line);

} // namespace lt
