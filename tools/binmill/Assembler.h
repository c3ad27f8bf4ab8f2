// The assembler: an escape file's text in, the unit's flash image out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/EscapeFile.h"

namespace lt::binmill {

struct AssembleResult {
    bool ok = false;
    std::string image;                    // kImageSize bytes when ok
    std::vector<std::string> errorLines;  // "<FILE> <line>: <message>" or "<FILE>: <message>"
    tools::EscapeProgram program;
    size_t codeBytes = 0;
};

// `escName` names the escape file in the messages (its file-name part, upper case).
AssembleResult assembleEscape(std::string_view escapeText, const std::string& escName);

} // namespace lt::binmill
