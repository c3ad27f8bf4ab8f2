// The syntax check of the current message's script in Script Edit: the compiler runs on
// "sub.src" in the program's data folder (WriteDir) and its error file fills the error list.
#pragma once

#include <string>
#include <vector>

#include "toolchain/ToolContext.h"

namespace lt {

// Lines "sub.src" puts in front of the script; error line numbers count them.
inline constexpr int kSyntaxHeaderLines = 2;

// The entries of an error file: every line holding "SUB.SRC" (in any case, since the
// compiler names the file as it was given).
std::vector<SyntaxError> ParseErrorFile(const std::string& text);

// Checks scriptText (the current message's script) in Script Edit mode; an empty
// script is not checked.
void SyntaxCheck(ToolContext& ctx, const std::string& scriptText, int messageNumber);

} // namespace lt
