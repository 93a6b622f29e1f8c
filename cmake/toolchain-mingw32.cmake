# Cross build for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686).
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake
# toolchain-mingw64.cmake sets MUB_MINGW_PREFIX and MUB_WINE_NAMES for the
# 64-bit build and includes this file.
if(NOT MUB_MINGW_PREFIX)
  set(MUB_MINGW_PREFIX i686-w64-mingw32)
  set(MUB_WINE_NAMES wine)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${MUB_MINGW_PREFIX}")
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model gives GoogleTest the C++ threading it expects; the
# programs are linked statically, so no MinGW DLL has to travel with them.
find_program(CMAKE_C_COMPILER NAMES ${MUB_MINGW_PREFIX}-gcc-posix ${MUB_MINGW_PREFIX}-gcc)
find_program(CMAKE_CXX_COMPILER NAMES ${MUB_MINGW_PREFIX}-g++-posix ${MUB_MINGW_PREFIX}-g++)
find_program(CMAKE_RC_COMPILER NAMES ${MUB_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MUB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and checks of the cross-built programs run under Wine (Debian keeps
# the 32- and 64-bit loaders in /usr/lib/wine).
find_program(MUB_WINE NAMES ${MUB_WINE_NAMES} PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT MUB_WINE)
  find_program(MUB_WINE NAMES ${MUB_WINE_NAMES})
endif()
if(MUB_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MUB_WINE})
endif()
