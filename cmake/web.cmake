# The browser build (`make web`: emcmake cmake into build-web/). The SDL2 libraries come from
# tools/build_sdl_libs.sh, built from Debian's sources into BRANNOCH_WEB_SDL_PREFIX, and are
# linked by path under the desktop's target names: emcc reads -lSDL2 as its own SDL2 port,
# which would download its sources.
set(BRANNOCH_WEB_SDL_PREFIX ${PROJECT_BINARY_DIR}/sdl CACHE PATH
  "Where tools/build_sdl_libs.sh web installed the SDL2 libraries")

foreach(lib SDL2 SDL2_ttf SDL2_mixer SDL2_image)
  add_library(${lib}::${lib} INTERFACE IMPORTED)
  target_link_libraries(${lib}::${lib} INTERFACE ${BRANNOCH_WEB_SDL_PREFIX}/lib/lib${lib}.a)
endforeach()
target_link_libraries(SDL2_ttf::SDL2_ttf INTERFACE ${BRANNOCH_WEB_SDL_PREFIX}/lib/libfreetype.a)
target_include_directories(SDL2::SDL2 INTERFACE ${BRANNOCH_WEB_SDL_PREFIX}/include/SDL2)

# The game links to game.js (+ game.wasm, and game.data: the assets, served as the working
# folder the game reads from, with the browser's smaller copy of the music in place of the
# desktop's). SDL2 2.26's audio resumes the browser's AudioContext on the first key or click
# through a library function emcc must be told to keep; its name goes in a file, as CMake would
# escape the $ in it for make.
set(CMAKE_EXECUTABLE_SUFFIX .js)
file(WRITE ${PROJECT_BINARY_DIR}/library_funcs.txt "$autoResumeAudioContext\n$dynCall\n")
set(BRANNOCH_WEB_MUSIC ${PROJECT_SOURCE_DIR}/data/web/vrask.wav)
add_link_options(-sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
  "SHELL:--preload-file ${PROJECT_SOURCE_DIR}/assets@/"
  "SHELL:--exclude-file ${PROJECT_SOURCE_DIR}/assets/vrask.wav"
  "SHELL:--exclude-file ${PROJECT_SOURCE_DIR}/assets/README.md"
  "SHELL:--preload-file ${BRANNOCH_WEB_MUSIC}@/vrask.wav"
  -sEXPORTED_FUNCTIONS=_main
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${PROJECT_BINARY_DIR}/library_funcs.txt)

# brannoch_web_page(TARGET): names the program game.js; tools/web_site.py then puts the page,
# its icons, its web app manifest and service worker beside it, and packs the upload zip.
function(brannoch_web_page target)
  file(GLOB assets ${PROJECT_SOURCE_DIR}/assets/*)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME game
    LINK_DEPENDS "${assets};${BRANNOCH_WEB_MUSIC}")
  find_program(BRANNOCH_PYTHON python3 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
  file(GLOB page ${PROJECT_SOURCE_DIR}/web/* ${PROJECT_SOURCE_DIR}/data/icons/hicolor/*/apps/*.png)
  set(zip ${PROJECT_BINARY_DIR}/brannoch-${PROJECT_VERSION}-web.zip)
  add_custom_command(OUTPUT ${zip} ${PROJECT_BINARY_DIR}/sw.js
    COMMAND ${BRANNOCH_PYTHON} ${PROJECT_SOURCE_DIR}/tools/web_site.py ${PROJECT_SOURCE_DIR}
      ${PROJECT_BINARY_DIR} ${zip}
    DEPENDS ${target} ${page} ${PROJECT_SOURCE_DIR}/tools/web_site.py
      ${PROJECT_SOURCE_DIR}/tools/pack_zip.py ${BRANNOCH_SOURCE_DATE}
    COMMENT "Writing the service worker and the upload zip"
    VERBATIM)
  add_custom_target(${target}_site ALL DEPENDS ${zip})
  add_dependencies(${target}_site brannoch_source_date)
endfunction()
