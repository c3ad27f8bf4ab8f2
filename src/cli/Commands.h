// The lumatext commands over a script file: list its messages, show one message as the
// unit displays it, regenerate every Quick Edit message into a new file, and program
// many units from it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lt {

class FileSystem;

// Exit codes: 0 success, 1 a file that cannot be read, written, compiled or is foreign,
// 2 usage, 3 (program) at least one unit failed.
int RunLumatext(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err);

extern const char* const kLumatextUsage;

} // namespace lt
