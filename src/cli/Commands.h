// The lumatext commands over a script file: list its messages, show one message as the
// unit displays it, and regenerate every Quick Edit message into a new file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lt {

class FileSystem;

// Exit codes: 0 success, 1 a file that cannot be read, written or is foreign, 2 usage.
int RunLumatext(const std::vector<std::string>& args, FileSystem& fs, std::ostream& out, std::ostream& err);

extern const char* const kLumatextUsage;

} // namespace lt
