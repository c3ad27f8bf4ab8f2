// Path helpers. The program always names a directory with its final separator.
#pragma once

#include <string>
#include <string_view>

namespace lt {

inline constexpr char kPathSeparator = '/';

// Directory part including its final separator ("" when there is none).
std::string DirPart(std::string_view path);
// Text after the last separator.
std::string FileNamePart(std::string_view path);
// The path without the extension of its file-name part; points in directories are kept.
std::string BaseName(std::string_view path);
// The directory with a separator appended unless it already ends in one.
std::string WithTrailingSeparator(std::string_view directory);

} // namespace lt
