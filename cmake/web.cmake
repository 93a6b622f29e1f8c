# The browser build (Emscripten, Debian's emscripten package):
#   site/          the static site: index.html, the page's script and style,
#                  mubmub.js + mubmub.wasm (the game on the web host), the
#                  icons, the web app manifest and the service worker
#   mubmub-sim.js  the simulator for node, with the native one's arguments and
#                  byte for byte the same output files
# scripts/web-build.sh does the whole build in one command.
#
# No Emscripten port is used (they download at build time): the web host
# draws into a canvas and reads the page's events itself.

# Debian's emcc runs node scripts at link time that look for their modules in
# /usr/share/nodejs; say so for every link, so a plain "cmake --build" works.
if(EXISTS /usr/share/nodejs)
  set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
endif()

# --- nlohmann-json for the simulator ------------------------------------------
# Header-only, from Debian's package; only its own folder is put on the include
# path, since the rest of /usr/include belongs to the build machine's C library.
find_path(MUB_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT MUB_NLOHMANN_INCLUDE)
  message(FATAL_ERROR "web: nlohmann/json.hpp not found (install the Debian package nlohmann-json3-dev)")
endif()
set(MUB_WEB_THIRD_PARTY ${CMAKE_BINARY_DIR}/third-party)
file(COPY ${MUB_NLOHMANN_INCLUDE}/nlohmann DESTINATION ${MUB_WEB_THIRD_PARTY}/include)
file(WRITE ${MUB_WEB_THIRD_PARTY}/nlohmann_jsonConfig.cmake
  "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
  "  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
  "  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES\n"
  "    INTERFACE_INCLUDE_DIRECTORIES ${MUB_WEB_THIRD_PARTY}/include)\n"
  "endif()\n")
set(nlohmann_json_DIR ${MUB_WEB_THIRD_PARTY} CACHE PATH "" FORCE)

# --- The program ----------------------------------------------------------------
# Win32 tells a resource's number from its name by the pointer's value
# (MAKEINTRESOURCE: at most 0xFFFF), which works because Windows never maps
# the lowest 64 KB. WebAssembly's memory starts at 0, so the program's data
# starts above 64 KB here, and a name's address can never read as a number.
add_link_options(-sGLOBAL_BASE=65536)

# Bulk memory (every current browser has it): filling and copying memory are
# single instructions instead of loops, which matters most at start-up while
# the code still runs unoptimised.
add_compile_options(-mbulk-memory)
add_link_options(-mbulk-memory)

set(MUB_BUILD_DESKTOP OFF)
add_subdirectory(res)
add_subdirectory(platform)
include(cmake/game.cmake)
add_subdirectory(game_globals)
add_subdirectory(sim)
add_subdirectory(programs)

# The simulator for node: real files through node's fs, standard input for
# "--script -", the exit status of main as the process's. Compiled at once on
# start (node's fetch cannot read a file path, which asynchronous start uses).
# It reports bad arguments and scripts by exceptions, which Emscripten only
# catches when asked; the game and the Win32 layer neither throw nor catch,
# and stay without that cost in the page. mubmub-sim.js is a launcher that
# runs Emscripten's build (mubmub-sim-worker.js) in a worker thread and
# hears signals meanwhile (programs/sim/node/).
target_compile_options(mub_sim PRIVATE -fexceptions)
target_compile_options(mubmub-sim PRIVATE -fexceptions)
set(MUB_SIM_NODE_JS ${CMAKE_SOURCE_DIR}/cmake/web_node_stdio.js ${CMAKE_SOURCE_DIR}/programs/sim/node/files.js)
target_link_options(mubmub-sim PRIVATE
  -fexceptions -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sWASM_ASYNC_COMPILATION=0
  -sALLOW_MEMORY_GROWTH=1
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/cmake/web_node_stdio.js"
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/programs/sim/node/files.js"
  --pre-js ${CMAKE_SOURCE_DIR}/cmake/web_node_env.js)
set_target_properties(mubmub-sim PROPERTIES OUTPUT_NAME mubmub-sim-worker
  LINK_DEPENDS "${MUB_SIM_NODE_JS};${CMAKE_SOURCE_DIR}/cmake/web_node_env.js")
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/mubmub-sim.js
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/programs/sim/node/launcher.js ${CMAKE_BINARY_DIR}/mubmub-sim.js
  DEPENDS ${CMAKE_SOURCE_DIR}/programs/sim/node/launcher.js
  VERBATIM)
add_custom_target(mubmub-sim-launcher ALL DEPENDS ${CMAKE_BINARY_DIR}/mubmub-sim.js mubmub-sim)

mub_check_layers()
