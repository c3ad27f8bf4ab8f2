// What lumatext needs of the terminal it writes to (Terminal_posix.cpp).
#pragma once

namespace lt {

// True when standard output is a terminal (progress bars are redrawn in place there).
bool OutputIsTerminal();
// The terminal's width in characters; 80 when it cannot be told.
int TerminalColumns();

} // namespace lt
