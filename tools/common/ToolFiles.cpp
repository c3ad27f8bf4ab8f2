#include "common/ToolFiles.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "common/ToolDisk.h"

namespace lt::tools {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

size_t lastSeparator(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return i - 1;
    return std::string::npos;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    std::FILE* f = openFile(path, "rb");
    if (!f) return false;
    // Read straight into a string of the file's size; a file that grows meanwhile is read
    // on in chunks, one that shrinks is cut where it ends.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(nativePath(path), ec);
    if (!ec && size > 0) {
        content.resize(static_cast<size_t>(size));
        content.resize(std::fread(content.data(), 1, content.size(), f));
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(nativePath(path), ec);
}

void removeFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(nativePath(path), ec);
}

std::string fileNamePart(const std::string& path) {
    size_t sep = lastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string directoryPart(const std::string& path) {
    size_t sep = lastSeparator(path);
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string baseName(const std::string& path) {
    size_t sep = lastSeparator(path);
    size_t start = sep == std::string::npos ? 0 : sep + 1;
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return path;
    return path.substr(0, dot);
}

std::string withTrailingSeparator(const std::string& dir) {
    if (dir.empty() || isSeparator(dir.back())) return dir;
    return dir + (dir.find('\\') != std::string::npos && dir.find('/') == std::string::npos ? "\\" : "/");
}

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string findFileIgnoringCase(const std::string& dir, const std::string& name) {
    const std::string prefix = withTrailingSeparator(dir);
    if (fileExists(prefix + name)) return prefix + name;
    std::error_code ec;
    const std::string wanted = upperCase(name);
    std::filesystem::directory_iterator it(nativePath(prefix.empty() ? "." : prefix), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string candidate = it->path().filename().u8string();
        if (upperCase(candidate) == wanted && it->is_regular_file(ec)) return prefix + candidate;
    }
    return {};
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

} // namespace lt::tools
