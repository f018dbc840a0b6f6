# The game for 64-bit Windows, cross-built with Debian's mingw-w64 (cmake/toolchain-mingw64.cmake)
# against the static SDL2 libraries of tools/build_sdl_libs.sh (`make windows` does both), and
# the zip a player unpacks anywhere and plays:
#
#   brannoch-VERSION-windows-x64.zip    in the build tree's top folder, holding
#     brannoch.exe                      one program: SDL2 and the C/C++ runtimes linked in
#     the files of assets/              what the game reads from its working folder
#     README.txt, LICENSE.txt           for the player; the font's licence is among the assets
#
# and beside it the installer, brannoch-VERSION-windows-x64-setup.exe, which installs the same
# files for the current user (packaging/windows/brannoch.nsi, made with Debian's nsis).

# The companions built as static libraries export only NAME::NAME-static; the game links the
# names Debian's shared libraries have.
foreach(lib SDL2_ttf SDL2_mixer SDL2_image)
  if(NOT TARGET ${lib}::${lib})
    add_library(${lib}::${lib} ALIAS ${lib}::${lib}-static)
  endif()
endforeach()

# A windowed program (no console pops up when it is double-clicked; its lines still reach a
# redirected standard output), started through SDL2main's WinMain, which calls our main.
# mingw32 comes first: its startup code is what asks for WinMain. No link time in the header:
# the same sources make the same program.
target_link_libraries(brannoch PRIVATE mingw32 SDL2::SDL2main)
target_link_options(brannoch PRIVATE -static -mwindows -Wl,--no-insert-timestamp)

# The icon, made from the generator's PNGs: the small sizes as 32-bit bitmaps, the large ones
# as PNG, the way Windows icons are laid out.
enable_language(RC)
find_program(BRANNOCH_ICOTOOL icotool REQUIRED)
set(BRANNOCH_ICON_DIR ${PROJECT_SOURCE_DIR}/data/icons/hicolor)
set(BRANNOCH_ICO ${PROJECT_BINARY_DIR}/windows/brannoch.ico)
set(BRANNOCH_ICON_ARGS)
set(BRANNOCH_ICON_PNGS)
foreach(size 16 32 48 64 128 256)
  set(png ${BRANNOCH_ICON_DIR}/${size}x${size}/apps/brannoch.png)
  list(APPEND BRANNOCH_ICON_PNGS ${png})
  if(size LESS 64)
    list(APPEND BRANNOCH_ICON_ARGS ${png})
  else()
    list(APPEND BRANNOCH_ICON_ARGS --raw=${png})
  endif()
endforeach()
add_custom_command(OUTPUT ${BRANNOCH_ICO}
  COMMAND ${BRANNOCH_ICOTOOL} --create --bit-depth=32 --output=${BRANNOCH_ICO} ${BRANNOCH_ICON_ARGS}
  DEPENDS ${BRANNOCH_ICON_PNGS}
  COMMENT "Making the Windows icon"
  VERBATIM)
set(BRANNOCH_COPYRIGHT "Copyright 2026 ${BRANNOCH_PUBLISHER} (MIT License)")
set(BRANNOCH_MANIFEST ${PROJECT_BINARY_DIR}/windows/brannoch.manifest)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/brannoch.manifest.in ${BRANNOCH_MANIFEST}
  @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/brannoch.rc.in
  ${PROJECT_BINARY_DIR}/windows/brannoch.rc @ONLY)
target_sources(brannoch PRIVATE ${PROJECT_BINARY_DIR}/windows/brannoch.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/brannoch.rc PROPERTIES
  OBJECT_DEPENDS "${BRANNOCH_ICO};${BRANNOCH_MANIFEST}")

# The zip. Texts get Windows line endings; assets/README.md is left out: it tells developers
# how the files are made, and the player's README.txt lists them.
set(BRANNOCH_ZIP_NAME brannoch-${PROJECT_VERSION}-windows-x64)
set(BRANNOCH_ZIP ${PROJECT_BINARY_DIR}/${BRANNOCH_ZIP_NAME}.zip)
set(stage ${PROJECT_BINARY_DIR}/${BRANNOCH_ZIP_NAME})
set(texts ${PROJECT_BINARY_DIR}/windows/texts)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${texts}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
file(GLOB BRANNOCH_GAME_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/assets/*)
list(FILTER BRANNOCH_GAME_FILES EXCLUDE REGEX "/README\\.md$")
# Everything beside brannoch.exe that the zip and the installer hold.
set(BRANNOCH_PACKED_FILES ${BRANNOCH_GAME_FILES} ${texts}/README.txt ${texts}/LICENSE.txt)
find_program(BRANNOCH_PYTHON python3 REQUIRED)
add_custom_command(OUTPUT ${BRANNOCH_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${BRANNOCH_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  # strip writes the time into the header, unless told a fixed one.
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
    ${CMAKE_STRIP} -o ${stage}/brannoch.exe $<TARGET_FILE:brannoch>
  COMMAND ${CMAKE_COMMAND} -E copy ${BRANNOCH_PACKED_FILES} ${stage}
  COMMAND ${BRANNOCH_PYTHON} ${PROJECT_SOURCE_DIR}/tools/pack_zip.py ${BRANNOCH_ZIP} ${stage}
  DEPENDS brannoch ${BRANNOCH_PACKED_FILES} ${PROJECT_SOURCE_DIR}/tools/pack_zip.py
    ${BRANNOCH_SOURCE_DATE}
  COMMENT "Packing ${BRANNOCH_ZIP_NAME}.zip"
  VERBATIM)

# The installer, from the zip's folder. The script installs and removes the files named in
# files.nsh, written here from the zip's own list.
set(BRANNOCH_NSIS_FILES ${PROJECT_BINARY_DIR}/windows/files.nsh)
set(lines "; Made by cmake/windows.cmake: the files of ${BRANNOCH_ZIP_NAME}.zip\n")
foreach(file brannoch.exe ${BRANNOCH_PACKED_FILES})
  get_filename_component(name ${file} NAME)
  string(APPEND lines "\${GameFile} \"${name}\"\n")
endforeach()
file(GENERATE OUTPUT ${BRANNOCH_NSIS_FILES} CONTENT "${lines}")
set(BRANNOCH_SETUP ${PROJECT_BINARY_DIR}/${BRANNOCH_ZIP_NAME}-setup.exe)
set(BRANNOCH_NSI ${PROJECT_SOURCE_DIR}/packaging/windows/brannoch.nsi)
find_program(BRANNOCH_MAKENSIS makensis REQUIRED)
add_custom_command(OUTPUT ${BRANNOCH_SETUP}
  # -WX: a warning (a missing file, a misspelt page setting) fails the build.
  COMMAND ${BRANNOCH_MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
    -DFILE_LIST=${BRANNOCH_NSIS_FILES} -DICON=${BRANNOCH_ICO}
    -DPUBLISHER=${BRANNOCH_PUBLISHER} -DCOPYRIGHT=${BRANNOCH_COPYRIGHT}
    -DOUTFILE=${BRANNOCH_SETUP} ${BRANNOCH_NSI}
  DEPENDS ${BRANNOCH_ZIP} ${BRANNOCH_NSI} ${BRANNOCH_NSIS_FILES} ${BRANNOCH_ICO}
  COMMENT "Making ${BRANNOCH_ZIP_NAME}-setup.exe"
  VERBATIM)
# One target for both: the zip's rule must not run twice at once.
add_custom_target(windows_packages ALL DEPENDS ${BRANNOCH_ZIP} ${BRANNOCH_SETUP})
add_dependencies(windows_packages brannoch_source_date)
