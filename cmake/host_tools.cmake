# The build-time generators (fontgen, resembed, stategen) for the
# machine that runs the build, shared by every build of this checkout: the
# native, sanitizer, fuzzing and speed builds, the browser build and both
# Windows builds run the same programs from one folder, built once.
#
# MUB_HOST_TOOLS_DIR is that folder (a build of cmake/host-tools); each build
# brings it up to date before its first generator runs, one build at a time.
set(MUB_HOST_TOOLS_DIR ${CMAKE_SOURCE_DIR}/build-tools CACHE PATH
  "The generators' build for this machine (cmake/host-tools), shared by every build of the checkout")
set(MUB_HOST_TOOLS fontgen resembed stategen)

set(byproducts "")
foreach(tool ${MUB_HOST_TOOLS})
  list(APPEND byproducts ${MUB_HOST_TOOLS_DIR}/tools/${tool}/${tool})
endforeach()
add_custom_target(mub_host_tools
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/cmake/host-tools -DBINARY=${MUB_HOST_TOOLS_DIR}
    -P ${CMAKE_SOURCE_DIR}/cmake/host-tools/update.cmake
  BYPRODUCTS ${byproducts}
  COMMENT "Bringing the generators up to date (${MUB_HOST_TOOLS_DIR})"
  VERBATIM)
foreach(tool ${MUB_HOST_TOOLS})
  add_executable(${tool} IMPORTED GLOBAL)
  set_target_properties(${tool} PROPERTIES IMPORTED_LOCATION ${MUB_HOST_TOOLS_DIR}/tools/${tool}/${tool})
  add_dependencies(${tool} mub_host_tools)
endforeach()
