// Path helpers. The program always names a directory with its final separator.
#pragma once

#include <string>
#include <string_view>

#include "platform/BuildPlatform.h"

namespace lt {

// The separator the program writes: "\" on Windows, "/" elsewhere. Windows takes "/" as
// well, and a drive letter's ":" ends the directory part of "C:NAME.SRC".
inline constexpr char kPathSeparator = platform::kWindowsBuild ? '\\' : '/';
inline constexpr std::string_view kPathSeparators = platform::kWindowsBuild ? "\\/:" : "/";

inline bool IsPathSeparator(char c) { return c != ':' && kPathSeparators.find(c) != std::string_view::npos; }

// Directory part including its final separator ("" when there is none).
std::string DirPart(std::string_view path);
// Text after the last separator.
std::string FileNamePart(std::string_view path);
// The path without the extension of its file-name part; points in directories are kept.
std::string BaseName(std::string_view path);
// The directory with a separator appended unless it already ends in one.
std::string WithTrailingSeparator(std::string_view directory);

} // namespace lt
