// The real disk on Windows: UTF-8 paths turned into UTF-16 for the system's wide calls,
// drive letters and "\" separators (the system takes "/" as well), the system's errors as
// errno values. A file being read is read whole when it is opened, so no handle of ours
// stops a save from replacing it. Saving writes through: a flushed temporary file replaces
// the target with ReplaceFileW, keeping the target's attributes. Built on Windows only.
#pragma once

#include "storage/FileSystem.h"

namespace lt {

class WindowsFileSystem : public FileSystem {
public:
    std::unique_ptr<ReadableFile> openRead(const std::string& path, int* error) override;
    std::unique_ptr<WritableFile> openWrite(const std::string& path, bool append, int* error) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    bool remove(const std::string& path, int* error) override;
    bool rename(const std::string& from, const std::string& to, int* error) override;
    int64_t fileSize(const std::string& path) override;
    bool stat(const std::string& path, FileInfo& info) override;
    // A symbolic link is followed to the file it names (while that exists).
    std::string resolveTarget(const std::string& path) override;
    // A directory, a read-only file, or one this person may not write or another program
    // holds open without sharing is refused.
    bool mayReplace(const std::string& path, int* error) override;
    // rename() already gives the new file the target's attributes.
};

} // namespace lt
