#include "storage/FileSystem.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/PathUtil.h"

namespace lt {

namespace {

class PosixReadable : public ReadableFile {
public:
    explicit PosixReadable(int fd) : fd_(fd) {}
    ~PosixReadable() override { ::close(fd_); }
    int64_t read(char* buffer, size_t size) override {
        for (;;) {
            ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) return n;
            if (errno == EINTR) continue;
            error_ = errno;
            return -1;
        }
    }
    bool seek(int64_t position) override {
        if (::lseek(fd_, static_cast<off_t>(position), SEEK_SET) < 0) { error_ = errno; return false; }
        return true;
    }
    int64_t size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) { error_ = errno; return -1; }
        return st.st_size;
    }
    int error() const override { return error_; }

private:
    int fd_;
    int error_ = 0;
};

class PosixWritable : public WritableFile {
public:
    PosixWritable(int fd, int64_t position) : fd_(fd), position_(position) {}
    ~PosixWritable() override { if (fd_ >= 0) ::close(fd_); }
    bool write(const char* data, size_t size) override {
        if (fd_ < 0) { error_ = EBADF; return false; }
        while (size > 0) {
            ssize_t n = ::write(fd_, data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            data += n;
            size -= static_cast<size_t>(n);
            position_ += n;
        }
        return true;
    }
    bool sync() override {
        if (fd_ < 0) { error_ = EBADF; return false; }
        if (::fsync(fd_) != 0) { error_ = errno; return false; }
        return true;
    }
    bool close() override {
        if (fd_ < 0) return true;
        int r = ::close(fd_);
        fd_ = -1;
        if (r != 0) { error_ = errno; return false; }
        return true;
    }
    int64_t position() const override { return position_; }
    int error() const override { return error_; }

private:
    int fd_;
    int64_t position_;
    int error_ = 0;
};

void syncDirectoryOf(const std::string& path) {
    std::string dir = DirPart(path);
    if (dir.empty()) dir = "./";
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::unique_ptr<ReadableFile> PosixFileSystem::openRead(const std::string& path, int* error) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = errno;
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        if (error) *error = EISDIR;
        return nullptr;
    }
    return std::make_unique<PosixReadable>(fd);
}

std::unique_ptr<WritableFile> PosixFileSystem::openWrite(const std::string& path, bool append, int* error) {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        if (error) *error = errno;
        return nullptr;
    }
    int64_t position = 0;
    if (append) {
        off_t end = ::lseek(fd, 0, SEEK_END);
        position = end < 0 ? 0 : end;
    }
    return std::make_unique<PosixWritable>(fd, position);
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::isDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixFileSystem::remove(const std::string& path, int* error) {
    if (::unlink(path.c_str()) != 0) {
        if (error) *error = errno;
        return false;
    }
    return true;
}

bool PosixFileSystem::rename(const std::string& from, const std::string& to, int* error) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        if (error) *error = errno;
        return false;
    }
    syncDirectoryOf(to);
    return true;
}

int64_t PosixFileSystem::fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return st.st_size;
}

bool PosixFileSystem::stat(const std::string& path, FileInfo& info) {
    info = FileInfo{};
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    info.size = st.st_size;
    info.modified = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::string PosixFileSystem::resolveTarget(const std::string& path) {
    std::string target = path;
    // A chain of links is followed to its end; a loop stops after as many steps as the
    // system itself allows.
    for (int step = 0; step < 40; ++step) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string link(PATH_MAX, '\0');
        ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n <= 0) break;
        link.resize(static_cast<size_t>(n));
        target = link.front() == kPathSeparator ? link : DirPart(target) + link;
    }
    return target;
}

bool PosixFileSystem::mayReplace(const std::string& path, int* error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return true; // a new file
    int reason = 0;
    if (S_ISDIR(st.st_mode)) reason = EISDIR;
    else if (::access(path.c_str(), W_OK) != 0) reason = errno;
    // The administrator may write anything; a file without any write permission is still
    // meant to stay as it is.
    else if ((st.st_mode & 0222) == 0) reason = EACCES;
    if (reason == 0) return true;
    if (error) *error = reason;
    return false;
}

bool PosixFileSystem::replace(const std::string& temp, const std::string& target, int* error) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (::chmod(temp.c_str(), st.st_mode & 07777) != 0) {
            if (error) *error = errno;
            return false;
        }
        // The owner can only be kept by the administrator; the group where the person
        // belongs to it. Elsewhere the new file belongs to the person saving it.
        if (::chown(temp.c_str(), st.st_uid, st.st_gid) != 0) (void)!::chown(temp.c_str(), static_cast<uid_t>(-1), st.st_gid);
    }
    return rename(temp, target, error);
}

} // namespace lt
