# Writes host_events.js: the numbers of HostEvent::Type's enumerators, read
# from platform/core/host.h, for the page's bridge (host_library.js), so
# that the page and the program share one list.
#   cmake -DHOST_H=.../host.h -DOUT=.../host_events.js -P host_events.cmake
file(READ ${HOST_H} text)
string(REGEX MATCH "enum class Type {([^}]*)}" block "${text}")
if(NOT block)
  message(FATAL_ERROR "${HOST_H}: no enum class Type")
endif()
string(REGEX REPLACE "//[^\n]*" "" body "${CMAKE_MATCH_1}")
if(body MATCHES "=")
  message(FATAL_ERROR "${HOST_H}: HostEvent::Type's enumerators take their numbers in order; no values here")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" names "${body}")
set(entries "")
set(i 0)
foreach(name ${names})
  string(APPEND entries "    ${name}: ${i},\n")
  math(EXPR i "${i} + 1")
endforeach()
file(WRITE ${OUT}.tmp
  "// Generated from platform/core/host.h by host_events.cmake; do not edit.\n"
  "mergeInto(LibraryManager.library, {\n"
  "  $MubHostEventTypes: {\n${entries}  },\n"
  "});\n")
file(RENAME ${OUT}.tmp ${OUT})
