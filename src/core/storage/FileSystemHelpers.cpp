// The whole-file helpers over any FileSystem; the POSIX disk itself is FileSystem.cpp,
// the Windows disk WindowsFileSystem_windows.cpp.
#include "storage/FileSystem.h"

#include <cerrno>

namespace lt {

bool ReadWholeFile(FileSystem& fs, const std::string& path, std::string& content, int* error) {
    auto file = fs.openRead(path, error);
    if (!file) return false;
    content.clear();
    char buffer[65536];
    for (;;) {
        int64_t n = file->read(buffer, sizeof buffer);
        if (n < 0) {
            if (error) *error = file->error();
            return false;
        }
        if (n == 0) return true;
        content.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteFileAtomically(FileSystem& fs, const std::string& path, const std::string& content, int* error) {
    const std::string temp = path + ".tmp";
    auto file = fs.openWrite(temp, false, error);
    if (!file) return false;
    if (!file->write(content) || !file->sync() || !file->close()) {
        if (error) *error = file->error();
        file.reset();
        fs.remove(temp);
        return false;
    }
    file.reset();
    if (!fs.rename(temp, path, error)) {
        fs.remove(temp);
        return false;
    }
    return true;
}

bool ProbeDirectory(FileSystem& fs, const std::string& directoryWithSeparator, const std::string& probeName) {
    const std::string probe = directoryWithSeparator + probeName;
    auto file = fs.openWrite(probe, false);
    if (!file) return false;
    bool ok = file->write("\r\n") && file->close();
    file.reset();
    fs.remove(probe);
    return ok;
}

} // namespace lt
