// The file layer under saving, the work store and the settings file. Everything that
// touches the disk goes through a FileSystem, so tests can make the n-th operation fail.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace lt {

class ReadableFile {
public:
    virtual ~ReadableFile() = default;
    // Bytes read, 0 at the end of the file, -1 on an error (see error()).
    virtual int64_t read(char* buffer, size_t size) = 0;
    // Moves to a 0-based byte position.
    virtual bool seek(int64_t position) = 0;
    virtual int64_t size() = 0;
    virtual int error() const = 0;
};

class WritableFile {
public:
    virtual ~WritableFile() = default;
    virtual bool write(const char* data, size_t size) = 0;
    // Flushes the data to the disk (fsync).
    virtual bool sync() = 0;
    virtual bool close() = 0;
    // 0-based position where the next byte will be written.
    virtual int64_t position() const = 0;
    // errno of the last failed operation.
    virtual int error() const = 0;
    bool write(const std::string& text) { return write(text.data(), text.size()); }
};

// What a file looks like on the disk: enough to tell whether another program changed it.
struct FileInfo {
    int64_t size = -1;
    // Time of the last change of its content, in nanoseconds of the system's clock.
    int64_t modified = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr on failure; *error receives errno.
    virtual std::unique_ptr<ReadableFile> openRead(const std::string& path, int* error = nullptr) = 0;
    // Creates or truncates, or appends when append is true.
    virtual std::unique_ptr<WritableFile> openWrite(const std::string& path, bool append, int* error = nullptr) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool isDirectory(const std::string& path) = 0;
    virtual bool remove(const std::string& path, int* error = nullptr) = 0;
    // Atomically replaces `to` and makes the rename durable.
    virtual bool rename(const std::string& from, const std::string& to, int* error = nullptr) = 0;
    // -1 when the file does not exist.
    virtual int64_t fileSize(const std::string& path) = 0;
    // False when the file does not exist. Without its own clock a file system reports the
    // size only.
    virtual bool stat(const std::string& path, FileInfo& info) {
        info = FileInfo{};
        info.size = fileSize(path);
        return info.size >= 0;
    }

    // Saving: the file a write of `path` has to replace, with links followed, so that a
    // link keeps pointing at the file and the file itself gets the new content.
    virtual std::string resolveTarget(const std::string& path) { return path; }
    // False, with the reason in *error, when the person may not change the existing file
    // (a read-only file is refused even where the system would let it be replaced).
    virtual bool mayReplace(const std::string& /*path*/, int* /*error*/ = nullptr) { return true; }
    // Gives `temp` the permissions (and owner, where allowed) of `target` when that exists,
    // then renames it over `target` as rename() does.
    virtual bool replace(const std::string& temp, const std::string& target, int* error = nullptr) {
        return rename(temp, target, error);
    }
};

// The real disk, through POSIX calls.
class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<ReadableFile> openRead(const std::string& path, int* error) override;
    std::unique_ptr<WritableFile> openWrite(const std::string& path, bool append, int* error) override;
    bool exists(const std::string& path) override;
    bool isDirectory(const std::string& path) override;
    bool remove(const std::string& path, int* error) override;
    bool rename(const std::string& from, const std::string& to, int* error) override;
    int64_t fileSize(const std::string& path) override;
    bool stat(const std::string& path, FileInfo& info) override;
    std::string resolveTarget(const std::string& path) override;
    bool mayReplace(const std::string& path, int* error) override;
    bool replace(const std::string& temp, const std::string& target, int* error) override;
};

// Whole-file helpers.
bool ReadWholeFile(FileSystem& fs, const std::string& path, std::string& content, int* error = nullptr);
// Writes content to path + ".tmp", flushes it and renames it over path.
bool WriteFileAtomically(FileSystem& fs, const std::string& path, const std::string& content, int* error = nullptr);
// Writes and deletes a probe file: true when the directory takes new files.
bool ProbeDirectory(FileSystem& fs, const std::string& directoryWithSeparator, const std::string& probeName);

} // namespace lt
