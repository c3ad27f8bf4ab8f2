// The tools' door to the system's files (ToolDisk_posix.cpp, ToolDisk_windows.cpp):
// paths arrive as the editor wrote them, in UTF-8 with "\" or "/" separators.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lt::tools {

// The path as the system takes it.
std::filesystem::path nativePath(const std::string& path);
// std::fopen of such a path; null when it cannot be opened.
std::FILE* openFile(const std::string& path, const char* mode);

} // namespace lt::tools
