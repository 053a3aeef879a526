# Writes the site's service worker with a digest of the page's files (see
# service-worker.js.in): cmake -DSITE_DIR=... -DTEMPLATE=... -P stamp_service_worker.cmake
set(digests "")
foreach(name index.html kerna-page.css kerna-page.js kerna.js kerna.wasm kerna.data voice-list.txt)
  file(SHA256 ${SITE_DIR}/${name} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 SITE_DIGEST "${digests}")
string(SUBSTRING ${SITE_DIGEST} 0 16 SITE_DIGEST)
configure_file(${TEMPLATE} ${SITE_DIR}/service-worker.js @ONLY)
