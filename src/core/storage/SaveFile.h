// Saving: every block of the open file, from memory, the work file or the old script
// file, into a new script file that replaces the target only once it is complete.
#pragma once

#include <string>

#include "Session.h"

namespace lt {

// Writes the script file newPath taking state-1 blocks from oldPath. True when written.
// A failure at any point leaves newPath as it was and the index unchanged. A link is
// followed and stays a link; the new file keeps the old one's permissions; a file the
// person may not change is refused. When oldPath changed since it was read, blocks that
// are gone from it are named in one question (save the rest, or nothing).
bool SaveFile(Session& s, const std::string& oldPath, const std::string& newPath);

// "Can't write in file <name> (<the system's reason>)."
std::string CantWriteFileText(const std::string& path, int error);

// Puts path first in the list of recent files; returns the number of entries in use.
int UpdateRecentFiles(Settings& settings, const std::string& path);

// Number of leading non-empty recent files (at most 4).
int RecentFileCount(const Settings& settings);

} // namespace lt
