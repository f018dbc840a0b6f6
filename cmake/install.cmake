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
# The compilers' version strings (.comment) are no use in an installed program; Debian's own
# packaging strips them too.
install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${BRANNOCH_PROGRAM_DIR}/brannoch\")")

# The game reads its files by bare name from the working directory; the launcher changes there
# first. It finds both folders relative to itself, so the tree may be moved as a whole.
file(RELATIVE_PATH BRANNOCH_LAUNCHER_TO_DATA
  /prefix/${BRANNOCH_LAUNCHER_DIR} /prefix/${BRANNOCH_DATA_DIR})
file(RELATIVE_PATH BRANNOCH_LAUNCHER_TO_PROGRAM
  /prefix/${BRANNOCH_LAUNCHER_DIR} /prefix/${BRANNOCH_PROGRAM_DIR}/brannoch)
configure_file(${PROJECT_SOURCE_DIR}/packaging/brannoch.in
  ${PROJECT_BINARY_DIR}/packaging/brannoch @ONLY)
install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/brannoch DESTINATION ${BRANNOCH_LAUNCHER_DIR})

# Pictures, sounds, font and map; the folder's notes are not read by the game.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/ DESTINATION ${BRANNOCH_DATA_DIR}
  PATTERN README.md EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/brannoch.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/brannoch.metainfo.xml DESTINATION share/metainfo)
# Whatever icon sizes the asset generator has made (data/icons/hicolor/<N>x<N>/apps/).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor DESTINATION share/icons OPTIONAL
  FILES_MATCHING PATTERN brannoch.png)

# Compresses `file` (from packaging/) the way Debian ships manuals and changelogs, -9 and -n (no
# name or time stamp inside), and installs FILE.gz in `destination`.
find_program(BRANNOCH_GZIP gzip REQUIRED)
function(brannoch_install_gzipped file destination)
  set(copy ${PROJECT_BINARY_DIR}/packaging/${file})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${file} ${copy}
    COMMAND ${BRANNOCH_GZIP} -9nf ${copy}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${file}
    COMMENT "Compressing ${file}"
    VERBATIM)
  add_custom_target(brannoch_gzip_${file} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()
brannoch_install_gzipped(brannoch.6 share/man/man6)
# The package's Debian changelog, whose newest entry must name the project's version.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog BRANNOCH_NEWEST_CHANGE LIMIT_COUNT 1)
if(NOT BRANNOCH_NEWEST_CHANGE MATCHES "^brannoch \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not ${PROJECT_VERSION}")
endif()
brannoch_install_gzipped(changelog ${BRANNOCH_DOC_DIR})

# The copyright file carries the game's licence in full, so LICENSE itself is not installed.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${BRANNOCH_DOC_DIR})
# Why lintian's remaining notes do not apply to this package.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION share/lintian/overrides RENAME brannoch)
