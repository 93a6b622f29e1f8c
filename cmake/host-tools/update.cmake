# Configures (the first time) and builds the generators in BINARY from
# SOURCE, holding a lock on the folder so that builds running side by side
# take turns. Run by cmake/host_tools.cmake:
#   cmake -DSOURCE=cmake/host-tools -DBINARY=build-tools -P update.cmake
file(MAKE_DIRECTORY ${BINARY})
file(LOCK ${BINARY}/.lock GUARD PROCESS TIMEOUT 900 RESULT_VARIABLE locked)
if(NOT locked EQUAL 0)
  message(FATAL_ERROR "${BINARY}: another build held it for 15 minutes (${locked})")
endif()
if(NOT EXISTS ${BINARY}/CMakeCache.txt)
  # The build machine's own compilers, whatever toolchain the calling build has.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=
      -DCMAKE_C_COMPILER=cc -DCMAKE_CXX_COMPILER=c++
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    file(REMOVE ${BINARY}/CMakeCache.txt)
    message(FATAL_ERROR "${BINARY}: configuring the generators failed")
  endif()
endif()
# Its own make, not a part of the calling build's (whose job slots it cannot share).
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS --unset=MAKELEVEL
    ${CMAKE_COMMAND} --build ${BINARY}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${BINARY}: building the generators failed")
endif()
