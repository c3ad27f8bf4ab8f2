// What the open script file looked like when it was read or last written (size, time of
// its last change, hash of its bytes), so that a change by another program is noticed
// before the file is written over.
#pragma once

#include <cstdint>
#include <string>

#include "storage/FileSystem.h"

namespace lt {

struct FileStamp {
    std::string path; // empty: nothing recorded
    int64_t size = -1;
    int64_t modified = 0;
    uint64_t hash = 0;
};

enum class FileChange { Unchanged, Changed, Missing };

// The stamp of path with the hash of bytes already read from it; size and time are read
// from the disk now.
FileStamp StampOf(FileSystem& fs, const std::string& path, uint64_t hash);

// Hash of a whole file; false when it cannot be read.
bool HashFile(FileSystem& fs, const std::string& path, uint64_t& hash);

// Compares the file on the disk with its stamp. Size and time that match are taken as
// unchanged; otherwise the bytes are hashed, so a file only touched, or copied back, is
// still unchanged.
FileChange CompareStamp(FileSystem& fs, const FileStamp& stamp);

} // namespace lt
