// A command-line program's arguments and standard streams, in UTF-8 on every system.
#pragma once

#include <string>
#include <vector>

namespace lt::platform {

// The arguments after the program's own name. On Windows they are taken from the wide
// command line, so names outside the system's code page arrive whole.
std::vector<std::string> Utf8Arguments(int argc, char* argv[]);

// Standard output and error carry the program's bytes unchanged, so its output is the same
// on every system: Windows adds no CR before each LF, and its console shows UTF-8.
void UseUtf8StandardStreams();

} // namespace lt::platform
