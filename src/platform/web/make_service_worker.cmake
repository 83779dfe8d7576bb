# make_service_worker.cmake: writes the page's sw.js from its template, once
# the page is built: the files it keeps, and a version made from their
# contents, so that every change of any file is a new worker.
#   cmake -DPAGE=FOLDER -DTEMPLATE=service_worker.js.in -P make_service_worker.cmake
set(kept index.html index.js index.wasm index.data manifest.webmanifest icon-192.png icon-512.png)
set(hashes "")
set(names "'./'")
foreach(name ${kept})
  if(NOT EXISTS "${PAGE}/${name}")
    message(FATAL_ERROR "make_service_worker: the page has no ${name}")
  endif()
  file(SHA256 "${PAGE}/${name}" hash)
  string(APPEND hashes "${name} ${hash}\n")
  string(APPEND names ", '${name}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING "${version}" 0 16 TALMIR_PAGE_VERSION)
set(TALMIR_PAGE_FILES "${names}")
configure_file("${TEMPLATE}" "${PAGE}/sw.js" @ONLY)
