// The tools' files on POSIX systems.
#include "common/ToolDisk.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "common/ToolFiles.h"

namespace lt::tools {

namespace {

// Here "\" is an ordinary file-name character, so a path written with "\" separators is
// turned into the native form before it reaches the file system.
std::string posixPath(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

} // namespace

std::filesystem::path nativePath(const std::string& path) { return posixPath(path); }

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(posixPath(path).c_str(), mode); }

bool writeFileAtomically(const std::string& path, std::string_view content, bool flushToDisk) {
    const std::string target = posixPath(path);
    const std::string temp = target + ".tmp~";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n <= 0) {
            ::close(fd);
            std::remove(temp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    bool ok = !flushToDisk || ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

} // namespace lt::tools
