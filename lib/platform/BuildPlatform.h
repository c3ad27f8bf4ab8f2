// The operating system the program is built for, as a constant: shared code that must
// know it (the path separator, the file system to use) asks here instead of using #ifdef.
#pragma once

namespace lt::platform {

inline constexpr bool kWindowsBuild = LT_WINDOWS_BUILD != 0;

} // namespace lt::platform
