#include "storage/WindowsFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <windows.h>

#include "platform/WindowsFiles.h"

namespace lt {

using platform::ErrnoFromWindowsError;
using platform::Widen;

namespace {

// Every handle lets others read, write and delete, as POSIX descriptors do.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int lastErrno() { return ErrnoFromWindowsError(::GetLastError()); }

// A file being read is taken into memory whole when it is opened and its handle closed at
// once: Windows cannot replace a file that another handle holds open, and a save replaces
// the script file it reads its blocks from. Script files are small.
class WindowsReadable : public ReadableFile {
public:
    explicit WindowsReadable(std::string content) : content_(std::move(content)) {}
    int64_t read(char* buffer, size_t size) override {
        const size_t n = std::min(size, content_.size() - position_);
        std::memcpy(buffer, content_.data() + position_, n);
        position_ += n;
        return static_cast<int64_t>(n);
    }
    bool seek(int64_t position) override {
        if (position < 0) {
            error_ = EINVAL;
            return false;
        }
        position_ = std::min(static_cast<size_t>(position), content_.size());
        return true;
    }
    int64_t size() override { return static_cast<int64_t>(content_.size()); }
    int error() const override { return error_; }

private:
    std::string content_;
    size_t position_ = 0;
    int error_ = 0;
};

// The whole content of an open file; false with *error set when it cannot be read.
bool readAll(HANDLE h, std::string& content, int* error) {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h, &size)) {
        if (error) *error = lastErrno();
        return false;
    }
    content.resize(static_cast<size_t>(size.QuadPart));
    size_t have = 0;
    // A file that grows meanwhile is read on in chunks, one that shrinks is cut where it ends.
    for (;;) {
        if (have == content.size()) content.resize(have + 65536);
        DWORD got = 0;
        const size_t room = content.size() - have;
        if (!::ReadFile(h, content.data() + have, room > 0x40000000 ? 0x40000000 : static_cast<DWORD>(room), &got,
                        nullptr)) {
            if (error) *error = lastErrno();
            return false;
        }
        if (got == 0) break;
        have += got;
    }
    content.resize(have);
    return true;
}

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
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = path.empty() ? ENOENT : lastErrno();
        return nullptr;
    }
    std::string content;
    const bool read = readAll(h, content, error);
    ::CloseHandle(h);
    if (!read) return nullptr;
    return std::make_unique<WindowsReadable>(std::move(content));
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

bool WindowsFileSystem::stat(const std::string& path, FileInfo& info) {
    info = FileInfo{};
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    info.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    // The system counts in steps of 100 nanoseconds.
    info.modified =
        ((static_cast<int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime) * 100;
    return true;
}

std::string WindowsFileSystem::resolveTarget(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    // Opening follows the whole chain of links; the system then names the file reached.
    HANDLE h = ::CreateFileW(Widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring final(32768, L'\0');
    const DWORD n = ::GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    ::CloseHandle(h);
    if (n == 0 || n >= final.size()) return path;
    final.resize(n);
    // "\\?\C:\dir\file" or "\\?\UNC\server\share\file"
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0) final = L"\\" + final.substr(7);
    else if (final.compare(0, 4, L"\\\\?\\") == 0) final = final.substr(4);
    return platform::Narrow(final);
}

bool WindowsFileSystem::mayReplace(const std::string& path, int* error) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return true; // a new file
    int reason = 0;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) reason = EISDIR;
    else if (attributes & FILE_ATTRIBUTE_READONLY) reason = EACCES;
    else {
        HANDLE h = ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) reason = lastErrno();
        else ::CloseHandle(h);
    }
    if (reason == 0) return true;
    if (error) *error = reason;
    return false;
}

int64_t WindowsFileSystem::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace lt
