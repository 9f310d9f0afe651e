# Cross-compiling the Windows programs on Debian with mingw-w64 (64-bit, the
# POSIX thread model of g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOXPAN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOXPAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOXPAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VOXPAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VOXPAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test programs run under wine on the build machine.
find_program(VOXPAN_WINE wine)
if(VOXPAN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VOXPAN_WINE})
endif()
