# Build step (cmake -P): writes the service worker from its template, with the
# list of the site's files and a cache name made from their contents, so a
# new build replaces the cached files and an unchanged one keeps them.
#   -DSITE=<site folder> -DTEMPLATE=<sw.js.in> -DFILES=<a,b,...>
string(REPLACE "," ";" FILES "${FILES}")
set(hash_input "")
foreach(f ${FILES})
  if(NOT EXISTS ${SITE}/${f})
    message(FATAL_ERROR "stamp_worker: ${SITE}/${f} is missing")
  endif()
  file(SHA256 ${SITE}/${f} h)
  string(APPEND hash_input "${f}:${h}\n")
endforeach()
string(SHA256 version "${hash_input}")
string(SUBSTRING ${version} 0 16 MUB_SITE_VERSION)
set(MUB_SITE_FILES "'./'")
foreach(f ${FILES})
  string(APPEND MUB_SITE_FILES ", '${f}'")
endforeach()
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
