# The game: every source of shell/, title/, shooting/ and whack/ in one library,
# compiled against <windows.h> (ours on other platforms, the real one on Windows).
#
# The game sees only its own headers, res/ and the Win32
# headers: no include path reaches the platform's internals, so a game file
# that tried to include one would not compile.
file(GLOB MUB_GAME_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_SOURCE_DIR}/title/*.cpp
  ${CMAKE_SOURCE_DIR}/shooting/*.cpp
  ${CMAKE_SOURCE_DIR}/whack/*.cpp)

set(MUB_GAME_INCLUDES ${CMAKE_SOURCE_DIR}/shell ${CMAKE_SOURCE_DIR}/res)
if(NOT WIN32)
  list(APPEND MUB_GAME_INCLUDES ${CMAKE_SOURCE_DIR}/platform/win32)
endif()

add_library(mub_game STATIC ${MUB_GAME_SOURCES})
target_include_directories(mub_game PRIVATE ${MUB_GAME_INCLUDES})

# For code that reads the game's globals by name (the simulator, the tests).
add_library(mub_game_headers INTERFACE)
target_include_directories(mub_game_headers INTERFACE ${MUB_GAME_INCLUDES})

if(WIN32)
  # Japanese text reaches the wide Win32 functions through a thin shim the
  # game does not see (platform/win32native).
  target_compile_options(mub_game PRIVATE -include ${CMAKE_SOURCE_DIR}/platform/win32native/wide_shim.h)
  target_link_libraries(mub_game INTERFACE mub_win32native)
else()
  # The game calls into the platform; whoever links the game links it too.
  target_link_libraries(mub_game INTERFACE mub_platform)

  # What a host links: the game, its resources and the Win32 layer under them.
  # A host adds only itself (platform/host/...) and its main.
  add_library(mub_program INTERFACE)
  target_link_libraries(mub_program INTERFACE mub_game mub_res mub_platform)
endif()
