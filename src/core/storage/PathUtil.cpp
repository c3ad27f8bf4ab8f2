#include "storage/PathUtil.h"

namespace lt {

std::string DirPart(std::string_view path) {
    size_t slash = path.find_last_of(kPathSeparators);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNamePart(std::string_view path) {
    size_t slash = path.find_last_of(kPathSeparators);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string BaseName(std::string_view path) {
    size_t slash = path.find_last_of(kPathSeparators);
    size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return std::string(path);
    return std::string(path.substr(0, dot));
}

std::string WithTrailingSeparator(std::string_view directory) {
    std::string d(directory);
    if (d.empty() || !IsPathSeparator(d.back())) d.push_back(kPathSeparator);
    return d;
}

} // namespace lt
