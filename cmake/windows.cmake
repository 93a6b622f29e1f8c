# The native 32-bit Windows build (MinGW-w64, cmake/toolchain-mingw32.cmake):
#   mubmub.exe        the game against the real USER32/GDI32, resources by windres
#   mub_conformance   the Win32 conformance tests of tests/conformance, run under
#                     Wine by scripts/wine-check.sh
# scripts/windows-build.sh does the whole build in one command.

# --- Common settings ---------------------------------------------------------------
# Static runtime: the programs run on a bare Windows (or Wine) without MinGW's DLLs.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# --- The Windows boundary ----------------------------------------------------
add_library(mub_win32native STATIC
  ${CMAKE_SOURCE_DIR}/platform/win32native/cp932.cpp
  ${CMAKE_SOURCE_DIR}/platform/win32native/wide_shim.cpp)
target_include_directories(mub_win32native PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(mub_win32native PUBLIC user32 gdi32)

# --- Resources and the game ----------------------------------------------------
add_subdirectory(res)
include(cmake/game.cmake)

add_executable(mubmub WIN32 ${CMAKE_SOURCE_DIR}/platform/win32native/link_entry.cpp)
target_link_libraries(mubmub PRIVATE mub_game mub_res mub_win32native)
# windres looks up the pictures the script names relative to res/.
target_include_directories(mubmub PRIVATE ${CMAKE_SOURCE_DIR}/res)

# --- Conformance tests ------------------------------------------------------------
option(MUB_BUILD_CONFORMANCE "Build the Win32 conformance tests (GoogleTest from source)" ON)
set(MUB_GTEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
if(MUB_BUILD_CONFORMANCE AND EXISTS ${MUB_GTEST_SOURCE_DIR}/src/gtest-all.cc)
  add_library(mub_gtest STATIC ${MUB_GTEST_SOURCE_DIR}/src/gtest-all.cc)
  target_include_directories(mub_gtest PUBLIC ${MUB_GTEST_SOURCE_DIR}/include PRIVATE ${MUB_GTEST_SOURCE_DIR})
  target_compile_options(mub_gtest PRIVATE -w)

  file(GLOB MUB_CONFORMANCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/conformance/*.cpp)
  add_executable(mub_conformance ${MUB_CONFORMANCE_SOURCES})
  target_include_directories(mub_conformance PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
  target_link_libraries(mub_conformance PRIVATE mub_gtest mub_res mub_win32native)
  add_dependencies(mub_conformance mubmub)

  enable_testing()
  add_test(NAME win32_conformance COMMAND mub_conformance)
endif()

# windres reads the pictures itself; rebuild the resources when one changes.
file(GLOB MUB_RC_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/bitmaps/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/resource.rc PROPERTIES
  OBJECT_DEPENDS "${MUB_RC_PICTURES};${CMAKE_SOURCE_DIR}/res/rc_defs.h;${CMAKE_SOURCE_DIR}/res/resource.h")
