// What the Windows side of the file layers (the core's WindowsFileSystem, the tools'
// files) shares: the program keeps paths in UTF-8 and hands the system UTF-16, and it
// reports the system's errors as errno values, as the POSIX side does. Windows only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lt::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A command line for CreateProcessW: each argument quoted the way the C runtime's parser
// (and CommandLineToArgvW) reads it back.
std::wstring CommandLineOf(const std::string& program, const std::vector<std::string>& arguments);

// The errno value of a Windows error code (EIO for one without a close match).
int ErrnoFromWindowsError(unsigned long code);

// Puts the complete, flushed file `temp` in the place of `target` in one step: an existing
// target is replaced with ReplaceFileW, which keeps its attributes; a new one is moved
// with MoveFileExW, writing through to the disk. A read-only target is refused (EACCES)
// and left as it was. False with *error set (errno) when `target` was not changed.
bool ReplaceFileDurably(const std::string& temp, const std::string& target, int* error);

} // namespace lt::platform
