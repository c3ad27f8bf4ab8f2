#include "storage/FileStamp.h"

#include "storage/ContentHash.h"

namespace lt {

FileStamp StampOf(FileSystem& fs, const std::string& path, uint64_t hash) {
    FileStamp stamp;
    FileInfo info;
    if (!fs.stat(path, info)) return stamp;
    stamp.path = path;
    stamp.size = info.size;
    stamp.modified = info.modified;
    stamp.hash = hash;
    return stamp;
}

bool HashFile(FileSystem& fs, const std::string& path, uint64_t& hash) {
    auto file = fs.openRead(path);
    if (!file) return false;
    ContentHash h;
    static constexpr size_t kChunk = 1 << 16;
    std::string buffer(kChunk, '\0');
    for (;;) {
        int64_t n = file->read(buffer.data(), buffer.size());
        if (n < 0) return false;
        if (n == 0) break;
        h.update(buffer.data(), static_cast<size_t>(n));
    }
    hash = h.digest();
    return true;
}

FileChange CompareStamp(FileSystem& fs, const FileStamp& stamp) {
    FileInfo info;
    if (!fs.stat(stamp.path, info)) return FileChange::Missing;
    if (info.size != stamp.size) return FileChange::Changed;
    // A file system without a clock reports no time: its bytes decide.
    if (info.modified != 0 && info.modified == stamp.modified) return FileChange::Unchanged;
    uint64_t hash = 0;
    if (!HashFile(fs, stamp.path, hash)) return FileChange::Missing;
    return hash == stamp.hash ? FileChange::Unchanged : FileChange::Changed;
}

} // namespace lt
