#include "platform/WindowsFiles.h"

#include <cerrno>
#include <windows.h>

#include "platform/SystemErrors.h"

namespace lt::platform {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), n, nullptr, nullptr);
    return narrow;
}

namespace {

// Quoted when it holds blanks or quotes; backslashes are doubled only in front of a quote.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

} // namespace

std::wstring CommandLineOf(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring line = quoted(Widen(program));
    for (const std::string& a : arguments) line += L" " + quoted(Widen(a));
    return line;
}

int ErrnoFromWindowsError(unsigned long code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_NETWORK_ACCESS_DENIED: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return EBUSY;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_DIRECTORY: return ENOTDIR;
    case ERROR_NOT_READY: return kErrnoNoMedium;
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNRECOGNIZED_MEDIA: return ENXIO;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_INVALID_PARAMETER:
    case ERROR_NEGATIVE_SEEK: return EINVAL;
    case ERROR_TOO_MANY_OPEN_FILES: return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    default: return EIO;
    }
}

namespace {

bool fail(int* error, DWORD code) {
    if (error) *error = ErrnoFromWindowsError(code);
    return false;
}

// Attributes a saved file keeps from the one it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The absolute form of a path: Wine's ReplaceFileW fails on relative ones.
std::wstring fullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return wide;
    std::wstring full(n, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n) return wide;
    full.resize(written);
    return full;
}

// Flushes the file's directory entry along with its data where the system allows it.
void flushFile(const std::wstring& path) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    ::FlushFileBuffers(h);
    ::CloseHandle(h);
}

} // namespace

bool ReplaceFileDurably(const std::string& temp, const std::string& target, int* error) {
    const std::wstring from = fullPath(temp), to = fullPath(target);
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD why = ::GetLastError();
        if (why != ERROR_FILE_NOT_FOUND) return fail(error, why);
        if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return fail(error, ::GetLastError());
        return true;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (error) *error = EISDIR;
        return false;
    }
    // The system would let some of these through (the administrator, a move over it);
    // a file marked read-only is meant to stay as it is.
    if (attributes & FILE_ATTRIBUTE_READONLY) return fail(error, ERROR_ACCESS_DENIED);
    // The new file takes the target's attributes itself: not every implementation of
    // ReplaceFileW carries them over (Wine's does not), and a move never does.
    const DWORD kept = attributes & kKeptAttributes;
    ::SetFileAttributesW(from.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    if (::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) {
        flushFile(to);
        return true;
    }
    const DWORD why = ::GetLastError();
    // The target was moved aside but the new file not yet named: finish the move, so the
    // content is not left under the temporary name alone. File systems without
    // ReplaceFileW (some network shares) get the move as well.
    const bool move = why == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 || why == ERROR_INVALID_FUNCTION ||
                      why == ERROR_NOT_SUPPORTED || why == ERROR_INVALID_PARAMETER;
    if (!move) return fail(error, why == ERROR_UNABLE_TO_REMOVE_REPLACED ? ERROR_ACCESS_DENIED : why);
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(error, ::GetLastError());
    return true;
}

} // namespace lt::platform
