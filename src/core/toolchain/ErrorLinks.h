// The lines of a compiler error file that lead to their message: "DEMO.SRC 61: ..." names
// line 61 of the compiled script, which lies in the block "SUB n(...)" of message n.
#pragma once

#include <string>
#include <vector>

namespace lt {

struct ErrorLink {
    int errorLine = 0;   // line of the error file, from 0
    int message = 0;     // the message whose block holds the script line
    int blockLine = 0;   // the line within that block, from 1 (its "SUB" line)
};

// One link for each error line that names `scriptName` (case is ignored) and a line
// inside a message block of `scriptText`; lines in the header or between blocks, and
// lines naming other files, get none.
std::vector<ErrorLink> CompileErrorLinks(const std::string& errorText, const std::string& scriptName,
                                         const std::string& scriptText);

} // namespace lt
