# The operating system the programs are built for. Code that differs between systems lives
# in files named *_posix.cpp and *_windows.cpp; lt_platform_sources() keeps the target's
# and drops the other's, so no source file needs #ifdef. Shared code that must know the
# system reads the constant kWindowsBuild (lib/platform/BuildPlatform.h).
if(WIN32)
  set(LT_PLATFORM windows)
else()
  set(LT_PLATFORM posix)
endif()

# The .cpp files of `dir` (recursively with RECURSE) for this platform, into `out_var`.
function(lt_platform_sources out_var dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "RECURSE" "" "")
  if(arg_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  endif()
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_windows\\.cpp$")
  endif()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()

if(WIN32)
  # The programs take UTF-8 paths everywhere and turn them into UTF-16 at the system's
  # door; unicode names the wide versions of the system's calls.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# The tests of a cross build run under Wine, which shows the build machine's root directory
# as drive Z:; they find the programs and the sources there.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(LT_HOST_PATH_PREFIX "Z:")
else()
  set(LT_HOST_PATH_PREFIX "")
endif()
