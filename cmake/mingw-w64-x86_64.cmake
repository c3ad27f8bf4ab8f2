# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix,
# libz-mingw-w64-dev). The posix thread model gives std::thread and std::mutex; everything
# is linked statically, so the programs need no DLL beside them.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LT_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${LT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(ZLIB_USE_STATIC_LIBS ON)
