# Writes the site's service worker with a digest of the files it keeps (its
# FILES list, see service-worker.js.in), so that a change to any of them is a
# new build to the browser:
#   cmake -DSITE_DIR=... -DTEMPLATE=... -P stamp_service_worker.cmake
file(READ ${TEMPLATE} template)
string(REGEX MATCH "const FILES = \\[[^]]*\\]" files "${template}")
string(REGEX MATCHALL "\"[^\"]+\"" names "${files}")
if(NOT names)
  message(FATAL_ERROR "${TEMPLATE}: no FILES list")
endif()
set(digests "")
foreach(name IN LISTS names)
  string(REPLACE "\"" "" name ${name})
  if(name STREQUAL "./")
    continue()  # index.html
  endif()
  file(SHA256 ${SITE_DIR}/${name} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 SITE_DIGEST "${digests}")
string(SUBSTRING ${SITE_DIGEST} 0 16 SITE_DIGEST)
configure_file(${TEMPLATE} ${SITE_DIR}/service-worker.js @ONLY)
