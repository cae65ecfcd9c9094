# Writes the service worker from its template: the files it keeps, each
# with the SHA-256 of its contents, which the worker checks what it
# fetches against, and a version that is a hash of them all, so that the
# same sources give the same bytes and any change to the site gives a new
# version.
#   cmake -DSITE=dir -DTEMPLATE=sw.js.in -DFILES="a;b" -P StampServiceWorker.cmake
set(hashes "")
set(entries "")
foreach(name IN LISTS FILES)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
  list(APPEND entries "'${name}': '${hash}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 TORUME_SITE_VERSION)
list(JOIN entries ",\n  " TORUME_SITE_FILE_HASHES)
set(TORUME_SITE_FILE_HASHES "\n  ${TORUME_SITE_FILE_HASHES}\n")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
