# Writes the service worker from its template: the files it keeps, and a
# version that is a hash of their contents, so that the same sources give
# the same bytes and any change to the site gives a new version.
#   cmake -DSITE=dir -DTEMPLATE=sw.js.in -DFILES="a;b" -P StampServiceWorker.cmake
set(hashes "")
set(quoted "")
foreach(name IN LISTS FILES)
  file(SHA256 ${SITE}/${name} hash)
  string(APPEND hashes "${name} ${hash}\n")
  list(APPEND quoted "'${name}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 TORUME_SITE_VERSION)
list(JOIN quoted ", " TORUME_SITE_FILE_LIST)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
