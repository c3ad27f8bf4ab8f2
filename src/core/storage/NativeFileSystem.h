// The disk of the system the program is built for: PosixFileSystem, or WindowsFileSystem
// in a Windows build. The programs and the tests that use the real disk name this one.
#pragma once

#include <type_traits>

#include "platform/BuildPlatform.h"
#include "storage/FileSystem.h"
#include "storage/WindowsFileSystem.h"

namespace lt {

using NativeFileSystem = std::conditional_t<platform::kWindowsBuild, WindowsFileSystem, PosixFileSystem>;

} // namespace lt
