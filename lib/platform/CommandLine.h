// The program's command-line arguments in UTF-8, whatever the system's code page.
#pragma once

#include <string>
#include <vector>

namespace lt::platform {

// The arguments after the program's own name. On Windows they are taken from the wide
// command line, so names outside the system's code page arrive whole.
std::vector<std::string> Utf8Arguments(int argc, char* argv[]);

} // namespace lt::platform
