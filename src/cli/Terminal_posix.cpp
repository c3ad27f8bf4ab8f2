// The terminal on POSIX systems.
#include "Terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace lt {

bool OutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }

int TerminalColumns() {
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 20) return size.ws_col;
    return 80;
}

} // namespace lt
