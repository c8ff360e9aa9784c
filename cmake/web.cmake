# The web version: `emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel`
# builds the site, a folder of static files, into SACHY_WEB_SITE:
#
#   index.html, stranka.js, stranka.css   our page, which loads the rest
#   sachy.js, sachy.wasm                  the game, by Emscripten
#   sachy.data                            the bitmaps and a.txt, the game's working directory
#   free.ttf, free.ttf.LICENSE            the captions' font, registered by the page
#   manifest.webmanifest, sachy-*.png     installing the page like an app
#   sw.js                                 the service worker that keeps the site for offline play
#
# tools/web.sh builds, serves and packs it. Tests, tools and benchmarks are
# desktop programs and are not built here.
set(SACHY_WEB_SITE "${CMAKE_BINARY_DIR}/site" CACHE PATH "Where the site is built")

file(GLOB SACHY_BITMAPY CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/*.bmp)
set(SACHY_DATA ${SACHY_BITMAPY} ${PROJECT_SOURCE_DIR}/assets/a.txt)
set(SACHY_PRIBALIT "")
foreach(soubor ${SACHY_DATA})
  get_filename_component(jmeno ${soubor} NAME)
  # The game reads its files from its working directory, "/" in the page.
  list(APPEND SACHY_PRIBALIT "SHELL:--preload-file ${soubor}@/${jmeno}")
endforeach()

set_target_properties(sachy PROPERTIES
  SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY ${SACHY_WEB_SITE}
  LINK_DEPENDS "${SACHY_DATA}")
target_link_options(sachy PRIVATE
  # The game's loops block; Asyncify gives the browser its turn while the game
  # waits. No wait happens below an indirect call, so those need no instrumenting.
  -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT=1
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  # The browser decodes the bitmaps; without this SDL_LoadBMP finds none.
  --use-preload-plugins ${SACHY_PRIBALIT})

# The page's own files beside the game, and a service worker that knows them
# all and their contents' hash: a new build is a new cache.
set(SACHY_WEB_STRANKA
  ${PROJECT_SOURCE_DIR}/web/index.html ${PROJECT_SOURCE_DIR}/web/stranka.js
  ${PROJECT_SOURCE_DIR}/web/stranka.css ${PROJECT_SOURCE_DIR}/web/manifest.webmanifest
  ${PROJECT_SOURCE_DIR}/assets/free.ttf ${PROJECT_SOURCE_DIR}/assets/free.ttf.LICENSE
  ${PROJECT_SOURCE_DIR}/tools/desktop/sachy-64.png ${PROJECT_SOURCE_DIR}/tools/desktop/sachy-128.png
  ${PROJECT_SOURCE_DIR}/tools/desktop/sachy-192.png ${PROJECT_SOURCE_DIR}/tools/desktop/sachy-512.png)
add_custom_command(TARGET sachy POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DSITE=${SACHY_WEB_SITE} -DVERZE=${PROJECT_VERSION}
    "-DSTRANKA=${SACHY_WEB_STRANKA}" -DSABLONA=${PROJECT_SOURCE_DIR}/web/sw.js.in
    -P ${PROJECT_SOURCE_DIR}/cmake/web_site.cmake
  VERBATIM)
set_property(TARGET sachy APPEND PROPERTY LINK_DEPENDS "${SACHY_WEB_STRANKA};${PROJECT_SOURCE_DIR}/web/sw.js.in")
