# `make package` (cpack in the build tree): one Debian package for the machine's architecture,
# installed under /usr whatever prefix the tree was configured with. Its dependencies are the
# runtime SDL2 libraries, as dpkg-shlibdeps finds them from the program's links.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brannoch)
set(CPACK_PACKAGE_VENDOR ${BRANNOCH_PUBLISHER})
set(CPACK_PACKAGE_CONTACT "Brannoch developers <brannoch@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based battles against waves of arena enemies")
# CPack puts the summary above this as the first line of the Debian description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Stand in the arena against waves of one to three enemies. Strike with Attack,
heal with Block, or use a Vrask for health and a stronger arm; every blow you
strike is answered by every enemy still standing. Fallen enemies give
experience, experience gives levels and attack power, and your level decides
what the next wave brings. There is no game over: fall, and you start again at
level 1. Played with the mouse and the Down arrow key.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Shipped programs carry no debugging symbols, whatever the build type.
set(CPACK_STRIP_FILES ON)
# Folders the package creates get the usual 0755, not whatever the build machine's umask gives.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
