// The tools' files on Windows: UTF-16 names for the system, and a temporary file moved
// over the target (ReplaceFileW with write-through when the data must reach the disk).
#include "common/ToolDisk.h"

#include <windows.h>

#include "common/ToolFiles.h"
#include "platform/WindowsFiles.h"

namespace lt::tools {

using platform::Widen;

std::filesystem::path nativePath(const std::string& path) { return std::filesystem::path(Widen(path)); }

std::FILE* openFile(const std::string& path, const char* mode) {
    return ::_wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

bool writeFileAtomically(const std::string& path, std::string_view content, bool flushToDisk) {
    const std::string temp = path + ".tmp~";
    const std::wstring wideTemp = Widen(temp);
    HANDLE h =
        ::CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (size_t done = 0; ok && done < content.size();) {
        const size_t left = content.size() - done;
        DWORD written = 0;
        ok = ::WriteFile(h, content.data() + done, left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left), &written,
                         nullptr) &&
             written > 0;
        done += written;
    }
    if (ok && flushToDisk) ok = ::FlushFileBuffers(h);
    ok = ::CloseHandle(h) && ok;
    if (ok) {
        ok = flushToDisk ? platform::ReplaceFileDurably(temp, path, nullptr)
                         : ::MoveFileExW(wideTemp.c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    if (!ok) ::DeleteFileW(wideTemp.c_str());
    return ok;
}

} // namespace lt::tools
