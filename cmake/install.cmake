# Where an installed Brannoch lives, laid out the way Debian installs games. The directories
# are spelt out under the prefix: with prefix /usr, CMAKE_INSTALL_LIBDIR would be the
# multiarch folder, which is no place for a game's private program.
#
#   games/brannoch                      the launcher players run
#   lib/games/brannoch/brannoch         the program
#   share/games/brannoch/               everything the program reads from its working folder
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6, share/doc/brannoch

set(BRANNOCH_LAUNCHER_DIR games)
set(BRANNOCH_PROGRAM_DIR lib/games/brannoch)
set(BRANNOCH_DATA_DIR share/games/brannoch)
set(BRANNOCH_DOC_DIR share/doc/brannoch)

install(TARGETS brannoch RUNTIME DESTINATION ${BRANNOCH_PROGRAM_DIR})

# The game reads its files by bare name from the working directory; the launcher changes there
# first. It finds both folders relative to itself, so the tree may be moved as a whole.
file(RELATIVE_PATH BRANNOCH_LAUNCHER_TO_DATA
  /prefix/${BRANNOCH_LAUNCHER_DIR} /prefix/${BRANNOCH_DATA_DIR})
file(RELATIVE_PATH BRANNOCH_LAUNCHER_TO_PROGRAM
  /prefix/${BRANNOCH_LAUNCHER_DIR} /prefix/${BRANNOCH_PROGRAM_DIR}/brannoch)
configure_file(${PROJECT_SOURCE_DIR}/packaging/brannoch.in
  ${PROJECT_BINARY_DIR}/packaging/brannoch @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/brannoch DESTINATION ${BRANNOCH_LAUNCHER_DIR})

# Pictures, sounds, font and map; the folder's notes and the font's licence text are not
# read by the game (the licence goes to the documentation below).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION ${BRANNOCH_DATA_DIR}
  PATTERN README.md EXCLUDE
  PATTERN *-OFL.txt EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/brannoch.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/brannoch.metainfo.xml DESTINATION share/metainfo)
# Whatever icon sizes the asset generator has made (data/icons/hicolor/<N>x<N>/apps/).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor DESTINATION share/icons OPTIONAL
  FILES_MATCHING PATTERN brannoch.png)

# The man page, compressed the way Debian ships them (-n: no name or time stamp inside).
find_program(BRANNOCH_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/brannoch.6.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/brannoch.6
    ${PROJECT_BINARY_DIR}/packaging/brannoch.6
  COMMAND ${BRANNOCH_GZIP} -9nf ${PROJECT_BINARY_DIR}/packaging/brannoch.6
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/brannoch.6
  COMMENT "Compressing the man page"
  VERBATIM)
add_custom_target(brannoch_man_page ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/brannoch.6.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/brannoch.6.gz DESTINATION share/man/man6)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/LICENSE
  ${PROJECT_SOURCE_DIR}/assets/DelaGothicOne-OFL.txt
  DESTINATION ${BRANNOCH_DOC_DIR})
