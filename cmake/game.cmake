# The game: every source of shell/, title/, shooting/ and whack/ in one library,
# compiled against <windows.h> (ours on other platforms, the real one on Windows).
file(GLOB MUB_GAME_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_SOURCE_DIR}/title/*.cpp
  ${CMAKE_SOURCE_DIR}/shooting/*.cpp
  ${CMAKE_SOURCE_DIR}/whack/*.cpp)

add_library(mub_game STATIC ${MUB_GAME_SOURCES})
target_include_directories(mub_game PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/shell ${MUB_GEN_DIR})
add_dependencies(mub_game mub_strings)
if(NOT WIN32)
  target_include_directories(mub_game PUBLIC ${CMAKE_SOURCE_DIR}/platform/win32)
endif()
if(NOT WIN32)
  target_link_libraries(mub_game PUBLIC platform_core)
endif()
if(WIN32)
  # Japanese text reaches the wide Win32 functions through a thin shim the
  # game does not see (platform/win32native).
  target_compile_options(mub_game PRIVATE -include ${CMAKE_SOURCE_DIR}/platform/win32native/wide_shim.h)
  target_link_libraries(mub_game PUBLIC mub_win32native)
endif()
