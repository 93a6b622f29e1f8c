# The layers, as a build rule.
#
# Every library exposes only its own folder. Sources name headers from the top
# of the tree ("platform/core/core.h"), so mub_expose() gives each target an
# include root of its own (build/include/<target>/) holding a link to its
# folder and nothing else: a file sees the folders of the targets it links,
# and an include of any other folder fails to compile.
#
# MUB_LAYERS names, for each of our targets, the targets it may link.
# mub_check_layers() fails the configuration on any other link between our
# targets, and on a target the table does not name; tests/layering checks
# that a wrong include does not compile.

set(MUB_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

# mub_expose(target PUBLIC|PRIVATE|INTERFACE folder...): folders relative to
# the top of the tree.
function(mub_expose target scope)
  set(root ${MUB_INCLUDE_ROOT}/${target})
  foreach(folder ${ARGN})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    set(target_now "")
    if(IS_SYMLINK ${root}/${folder})
      file(READ_SYMLINK ${root}/${folder} target_now)
    endif()
    if(NOT target_now STREQUAL ${CMAKE_SOURCE_DIR}/${folder})
      file(REMOVE ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# Who may link whom, bottom up. A target links only what its line names
# (directly; what those link comes with them).
set(MUB_LAYERS
  # The Win32 layer: shapes, text, resource readers, the core
  "platform_base:"
  "platform_win32:"
  "platform_text: platform_base"
  "platform_resource: platform_base platform_text"
  "platform_core: platform_base platform_win32 platform_text platform_resource"
  "mub_platform: platform_core platform_resource platform_text"
  "mub_win32native:"
  # The hosts
  "host_common: platform_core"
  "host_headless: mub_platform"
  "host_sdl_x11:"
  "host_sdl: platform_core host_common host_sdl_x11 platform_text"
  "host_web: mub_platform host_common"
  # The game, its resources, and what reads its globals
  "mub_res:"
  "mub_game: mub_platform mub_win32native"
  "mub_game_headers:"
  "mub_program: mub_game mub_res mub_platform"
  "mub_game_globals: mub_game mub_game_headers"
  "mub_sim: host_headless mub_program mub_game_globals"
  # The programs (the desktop, the page's and the Windows mubmub share a name)
  "mubmub: host_sdl host_web mub_program mub_game_globals mub_game mub_res mub_win32native mub_sim"
  "mubmub-sim: mub_sim"
  # Build-time tools, installing, tests, benchmarks, fuzzing
  "artgen:" "mub_present_probe:" "mub_virtual_pad:"
  "icon_png: platform_resource"
  "mub_tests: mub_sim mub_game_headers host_common host_sdl host_sdl_x11"
  "mub_gtest:"
  "mub_conformance: mub_gtest mub_res mub_win32native"
  "mub_bench_blit: host_headless"
  "mub_timer_floor:" "mub_bare_sdl:"
  "fuzz_script: mub_sim"
  "fuzz_resources: platform_resource")

function(mub_collect_targets dir out)
  get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    mub_collect_targets(${sub} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(mub_check_layers)
  set(known "")
  foreach(line ${MUB_LAYERS})
    string(REGEX REPLACE ":.*" "" name "${line}")
    list(APPEND known ${name})
    string(REGEX REPLACE "^[^:]*:" "" below "${line}")
    string(REGEX MATCHALL "[^ ]+" below "${below}")
    set(allowed_${name} ${below})
  endforeach()
  mub_collect_targets(${CMAKE_SOURCE_DIR} targets)
  set(ours "")
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    if(type MATCHES "LIBRARY|EXECUTABLE")
      list(APPEND ours ${t})
    endif()
  endforeach()
  set(faults "")
  foreach(t ${ours})
    if(NOT t IN_LIST known)
      list(APPEND faults "${t} is not in the table of layers (cmake/layers.cmake)")
      continue()
    endif()
    set(links "")
    foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(l ${t} ${prop})
      if(l)
        list(APPEND links ${l})
      endif()
    endforeach()
    list(TRANSFORM links REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
    list(REMOVE_DUPLICATES links)
    foreach(l ${links})
      if(l IN_LIST ours AND NOT l IN_LIST allowed_${t})
        list(APPEND faults "${t} links ${l}, which the table of layers (cmake/layers.cmake) does not allow")
      endif()
    endforeach()
  endforeach()
  if(faults)
    string(REPLACE ";" "\n  " faults "${faults}")
    message(FATAL_ERROR "Layers:\n  ${faults}")
  endif()
endfunction()
