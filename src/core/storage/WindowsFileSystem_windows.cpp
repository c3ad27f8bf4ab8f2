#include "storage/WindowsFileSystem.h"

#include <cerrno>
#include <windows.h>

#include "platform/WindowsFiles.h"

namespace lt {

using platform::ErrnoFromWindowsError;
using platform::Widen;

namespace {

// Every handle lets others read, write and delete, as POSIX descriptors do: a file being
// read can still be replaced by a save, and the work file removed.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int lastErrno() { return ErrnoFromWindowsError(::GetLastError()); }

class WindowsReadable : public ReadableFile {
public:
    explicit WindowsReadable(HANDLE h) : h_(h) {}
    ~WindowsReadable() override { ::CloseHandle(h_); }
    int64_t read(char* buffer, size_t size) override {
        DWORD got = 0;
        const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        if (!::ReadFile(h_, buffer, want, &got, nullptr)) {
            error_ = lastErrno();
            return -1;
        }
        return got;
    }
    bool seek(int64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = position;
        if (!::SetFilePointerEx(h_, to, nullptr, FILE_BEGIN)) {
            error_ = lastErrno();
            return false;
        }
        return true;
    }
    int64_t size() override {
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(h_, &size)) {
            error_ = lastErrno();
            return -1;
        }
        return size.QuadPart;
    }
    int error() const override { return error_; }

private:
    HANDLE h_;
    int error_ = 0;
};

class WindowsWritable : public WritableFile {
public:
    WindowsWritable(HANDLE h, int64_t position) : h_(h), position_(position) {}
    ~WindowsWritable() override {
        if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    bool write(const char* data, size_t size) override {
        if (h_ == INVALID_HANDLE_VALUE) {
            error_ = EBADF;
            return false;
        }
        while (size > 0) {
            DWORD done = 0;
            const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            if (!::WriteFile(h_, data, chunk, &done, nullptr)) {
                error_ = lastErrno();
                return false;
            }
            data += done;
            size -= done;
            position_ += done;
        }
        return true;
    }
    bool sync() override {
        if (h_ == INVALID_HANDLE_VALUE) {
            error_ = EBADF;
            return false;
        }
        if (!::FlushFileBuffers(h_)) {
            error_ = lastErrno();
            return false;
        }
        return true;
    }
    bool close() override {
        if (h_ == INVALID_HANDLE_VALUE) return true;
        const BOOL ok = ::CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        if (!ok) {
            error_ = lastErrno();
            return false;
        }
        return true;
    }
    int64_t position() const override { return position_; }
    int error() const override { return error_; }

private:
    HANDLE h_;
    int64_t position_;
    int error_ = 0;
};

DWORD attributesOf(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(Widen(path).c_str());
}

} // namespace

std::unique_ptr<ReadableFile> WindowsFileSystem::openRead(const std::string& path, int* error) {
    const DWORD attributes = attributesOf(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (error) *error = EISDIR;
        return nullptr;
    }
    HANDLE h = ::CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = path.empty() ? ENOENT : lastErrno();
        return nullptr;
    }
    return std::make_unique<WindowsReadable>(h);
}

std::unique_ptr<WritableFile> WindowsFileSystem::openWrite(const std::string& path, bool append, int* error) {
    // Appending asks for append access only, so every write lands at the end.
    HANDLE h = ::CreateFileW(Widen(path).c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = path.empty() ? ENOENT : lastErrno();
        return nullptr;
    }
    int64_t position = 0;
    LARGE_INTEGER size;
    if (append && ::GetFileSizeEx(h, &size)) position = size.QuadPart;
    return std::make_unique<WindowsWritable>(h, position);
}

bool WindowsFileSystem::exists(const std::string& path) { return attributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool WindowsFileSystem::isDirectory(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsFileSystem::remove(const std::string& path, int* error) {
    if (!::DeleteFileW(Widen(path).c_str())) {
        if (error) *error = lastErrno();
        return false;
    }
    return true;
}

bool WindowsFileSystem::rename(const std::string& from, const std::string& to, int* error) {
    return platform::ReplaceFileDurably(from, to, error);
}

int64_t WindowsFileSystem::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace lt
