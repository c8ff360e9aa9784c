# Completes the site after the game is linked into it: copies the page's
# files and writes the service worker with the list of every file and a hash
# of their contents, the name of its cache.
# cmake -DSITE=dir -DVERZE=x.y.z -DSTRANKA="file;file" -DSABLONA=sw.js.in -P web_site.cmake
file(COPY ${STRANKA} DESTINATION ${SITE})
set(soubory "")
set(obsah "")
foreach(jmeno index.html stranka.js stranka.css manifest.webmanifest sachy.js sachy.wasm
    sachy.data free.ttf free.ttf.LICENSE sachy-64.png sachy-128.png sachy-192.png sachy-512.png)
  if(NOT EXISTS ${SITE}/${jmeno})
    message(FATAL_ERROR "the site lacks ${jmeno}")
  endif()
  file(SHA256 ${SITE}/${jmeno} otisk)
  string(APPEND obsah "${jmeno} ${otisk}\n")
  string(APPEND soubory "  \"${jmeno}\",\n")
endforeach()
string(SHA256 otisk "${obsah}")
string(SUBSTRING ${otisk} 0 16 otisk)
set(CACHE_JMENO "sachy-${VERZE}-${otisk}")
configure_file(${SABLONA} ${SITE}/sw.js @ONLY)
